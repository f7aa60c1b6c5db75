#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Encodes an RGB buffer (rows top to bottom, unpadded, bytes red, green, blue)
// as a baseline JPEG with libjpeg. Quality is held to 1..100. Empty when the
// size is impossible, the buffer too short, or the encoder fails.
std::vector<std::uint8_t> EncodeJpeg(std::span<const std::uint8_t> rgb, int width, int height,
                                     int quality = 80);
