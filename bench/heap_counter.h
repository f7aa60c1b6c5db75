#pragma once

// Counts the bytes the program holds through new and delete, so that a
// benchmark can tell what a structure really costs on the heap.

#include <cstdint>

std::int64_t HeapBytes();
