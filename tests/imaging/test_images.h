#pragma once

// Pictures for the imaging tests, made at run time by ImageMagick's convert,
// which also gives the independent decoding the readers are compared with.

#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A file name in a folder of this test program's own, removed at exit.
std::string ScratchPath(const std::string& name);

// Runs convert with `args`; its standard output goes to `out`. Reports a test
// failure and returns false when convert is missing or fails.
bool RunConvert(const QStringList& args, Bytes* out = nullptr);

// Makes the scratch file `name` with `convert <args> <prefix><path>` and
// returns its path ("" after a failure). `prefix` forces a writer ("BMP3:").
std::string MakePicture(const QStringList& args, const std::string& name,
                        const std::string& prefix = "");

// ImageMagick's own decoding of a picture: 8-bit RGB, every frame in turn.
Bytes ReferenceRgb(const std::string& path);

// A 13 x 7 picture with varied colours (a seeded plasma), as arguments that
// start a convert command.
QStringList PlasmaSource(int width = 13, int height = 7, int seed = 7);

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// Largest difference between two buffers' bytes; -1 when their sizes differ.
int MaxDifference(const Bytes& a, const Bytes& b);

// Little-endian fields of a file header.
std::uint32_t GetLe32(const Bytes& b, std::size_t at);
void PutLe32(Bytes& b, std::size_t at, std::uint32_t v);
