#pragma once

// The colour value of the map file and the pictures: one 32-bit word laid out
// as 0x00BBGGRR, red in the low byte.

#include <cstdint>

using Color = std::uint32_t;

constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
           static_cast<Color>(b & 0xFF) << 16;
}
