#pragma once

// Small maps built in code for the model tests and the fuzz seed corpus, and
// helpers to push them through the archive in memory or on disk.

#include "archive.h"
#include "map_file.h"
#include "map_store.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The outline (x0, y0, x1, y1, ...).
std::vector<FloatPoint> Outline(std::initializer_list<float> xy);
// Adds a block with the given outline (x0, y0, x1, y1, ...) to the store.
CmBlock& AddBlock(MapStore& store, std::initializer_list<float> xy, std::int32_t type = 1);

// A map with at least one record of every kind, unsorted names with accents,
// a UTF-16 text and a three-byte picture.
std::unique_ptr<MapStore> BuildEveryKindMap();

// The bytes WriteMap gives for the store and picture.
Bytes WriteToBytes(const MapStore& store, const Bytes& picture = {});

// Reads the bytes; nullptr with the message in `error` when refused.
std::unique_ptr<MapStore> ReadFromBytes(const Bytes& bytes, std::string& error,
                                        const MapCounters& carried = {}, Bytes* picture = nullptr);

// A file as older versions wrote it: header texts, `blocks` triangles, one
// route, one zone and two businesses in one category, no picture. Without
// `version` the block count comes first (it must then be 10 or more); with
// version 1 the records carry the numbers 40, 41, 42 (route, zone, businesses
// 42 and 43) and the counters at the end are 100, 200, 300, 400.
Bytes HandMadeFile(std::optional<std::int32_t> version, std::int32_t blocks);

// A text of `n` copies of `c`.
std::string Repeat(char c, std::size_t n);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadFile(const std::filesystem::path& path);

// A fresh empty folder under the system's temporary folder, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string str() const { return m_path.string() + "/"; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path m_path;
};

// Little-endian byte building for hand-made files.
class ByteBuilder {
public:
    ByteBuilder& I32(std::int32_t v);
    ByteBuilder& U8(std::uint8_t v);
    ByteBuilder& F32(float v);
    // A text in the one-byte length form.
    ByteBuilder& Text(const std::string& cp1252);
    ByteBuilder& Raw(const Bytes& bytes);
    Bytes bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};
