#pragma once

// A deterministic synthetic town for the sample map, the benchmarks and the
// fuzz corpus: the same block count and seed always give the same store.

#include "map_store.h"

#include <cstdint>

struct TownOptions {
    std::uint32_t blocks = 2000;
    std::uint32_t seed = 1;
};

// Blocks of all six types on a street grid centred on map point (0,0), some with
// irregular outlines, labels along the streets, traced streets, references,
// colonies, zones, routes with stations and several business categories, with
// Spanish names. The picture is not made here (it needs an image encoder).
MapStore GenerateTown(const TownOptions& options);
