#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Encodes an RGB buffer (rows top to bottom, unpadded, bytes red, green, blue)
// as a baseline JPEG. Empty on failure.
std::vector<std::uint8_t> EncodeJpeg(std::span<const std::uint8_t> rgb, int width, int height,
                                     int quality = 80);
