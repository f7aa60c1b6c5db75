#pragma once

// Decoding JPEG pictures (libjpeg) into the RGB buffer: width x height x 3
// bytes, rows top to bottom, unpadded, bytes red, green, blue.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Decodes the JPEG file at `path` (a local 8-bit file name). `width` and
// `height` are 0 on entry and the decoded size once decoding has started.
// Greyscale pictures come out as equal red, green and blue; CMYK and YCCK
// pictures are converted to RGB. On failure the result is empty and `status`
// holds the text to show the user; on success `status` is empty.
std::vector<std::uint8_t> ReadJpegToRgb(const std::string& path, int& width, int& height,
                                        std::string& status);

// The same from JPEG bytes already in memory.
std::vector<std::uint8_t> ReadJpegToRgb(std::span<const std::uint8_t> bytes, int& width,
                                        int& height, std::string& status);
