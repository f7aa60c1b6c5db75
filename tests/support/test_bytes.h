#pragma once

// Map files as bytes: written and read in memory, and moved to and from disk.

#include "map_file.h"
#include "map_store.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// The bytes WriteMap gives for the store and picture.
Bytes WriteToBytes(const MapStore& store, const Bytes& picture = {});

// Reads the bytes; nullptr with the message in `error` when refused.
std::unique_ptr<MapStore> ReadFromBytes(const Bytes& bytes, Problem& error,
                                        const MapCounters& carried = {}, Bytes* picture = nullptr);

// A text of `n` copies of `c`.
std::string Repeat(char c, std::size_t n);

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadFile(const std::filesystem::path& path);
