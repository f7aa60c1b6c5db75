#pragma once

// Reading and writing whole map files. Opening is all-or-nothing: the file is
// read into a new store and only a store that read completely is handed back.
// Saving is in map_save.h.

#include "map_store.h"
#include "problem.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

class ArchiveReader;
class ArchiveWriter;

// Reads a map into a new store. `carried` are the counters of the map open
// before, which a file without numbers continues. Throws MapFileError.
std::unique_ptr<MapStore> ReadMap(ArchiveReader& in, const MapCounters& carried,
                                  std::vector<std::uint8_t>& picture);

// Writes the store as version 1, with its five named lists in name order. The
// store itself is left as it is: a copy written aside (an export, a recovery
// copy) must not reorder the lists a person sees.
void WriteMap(ArchiveWriter& out, const MapStore& store, std::span<const std::uint8_t> picture);

// The three header texts (country, state, town), for the catalogue. Reading
// them also checks the version and block count that follow, so that a file
// that is no map is not offered as one; false with the reason in `error`.
struct MapHeader {
    std::string country;
    std::string state;
    std::string town;
};
bool ReadMapHeader(const std::string& path, MapHeader& header, Problem& error);

// The base name of a map file: its file name without the ".map" extension.
std::string MapNameFromPath(const std::string& path);

// Reads a map file; nullptr with the reason in `error` when it cannot.
std::unique_ptr<MapStore> LoadMapFile(const std::string& path, const MapCounters& carried,
                                      std::vector<std::uint8_t>& picture, Problem& error);

// The whole of a regular file; `refusal`, when given, says why something else
// of that name (a named pipe, a device) was not read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                   Problem* refusal = nullptr);
