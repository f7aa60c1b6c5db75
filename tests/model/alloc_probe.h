#pragma once

// Watches the sizes of the allocations the test program makes, so that a test
// can show that a damaged file was refused before anything large was allocated.

#include <cstddef>

void ResetLargestAllocation();
std::size_t LargestAllocation();
