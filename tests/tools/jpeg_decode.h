#pragma once

// Decodes JPEG bytes with libjpeg itself, so the writer is checked by a reader
// that is not ours.

#include <cstdint>
#include <span>
#include <vector>

struct DecodedJpeg {
    bool ok = false;
    bool progressive = true;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // rows top to bottom, unpadded
};

DecodedJpeg DecodeJpeg(std::span<const std::uint8_t> bytes);
