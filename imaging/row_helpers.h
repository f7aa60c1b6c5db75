#pragma once

// Conversions between the readers' RGB buffer (rows top to bottom, unpadded,
// bytes red, green, blue) and the row layouts that bitmaps want.

#include <cstdint>
#include <span>
#include <vector>

// Exchanges the first and third byte of each of the width x height three-byte
// pixels, turning RGB into BGR and back. False for an empty buffer, a size that
// is not positive, or a buffer too small for the pixels.
bool SwapRedBlue(std::span<std::uint8_t> buffer, int width, int height);

// A copy of the buffer with every row padded to a multiple of four bytes; the
// row length in bytes goes to `stride` and the padding bytes are zero. Empty
// (and `stride` 0) for an empty buffer, a size that is not positive, or a
// buffer too small for the pixels.
std::vector<std::uint8_t> PadRowsToDword(std::span<const std::uint8_t> buffer, int width,
                                         int height, int& stride);

// Turns the rows of the buffer upside down in place. False for an empty
// buffer, a size that is not positive, or a buffer too small for the rows.
bool FlipRowsVertically(std::span<std::uint8_t> buffer, int rowBytes, int height);
