#pragma once

// Reads uncompressed Windows bitmaps into the RGB buffer: width x height x 3
// bytes, rows top to bottom, unpadded, bytes red, green, blue. Problems are
// reported through m_strStatus, not shown: the caller decides what to show.
//
// Read: 1, 4 and 8 bits with a palette (an index past the palette read is
// black), 24 bits, and 16 and 32 bits either plain (5-5-5 and 8-8-8) or with
// colour masks; info headers of 40 bytes and the longer version 4 and 5
// headers; bottom-up and top-down row orders. Refused: run-length and other
// compressed files, other bit counts, and pictures larger than the limits of
// picture_limits.h.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class BmpReader {
public:
    // `width` and `height` are 0 on entry and the picture's size once its
    // headers have been read. The result is empty on failure, with the reason
    // in m_strStatus; it is "OK" on success.
    std::vector<std::uint8_t> ReadBmpToRgb(const std::string& path, int& width, int& height);
    std::vector<std::uint8_t> ReadBmpToRgb(std::span<const std::uint8_t> bytes, int& width,
                                           int& height);

    std::string m_strStatus = "OK";
    // Bytes consumed so far. Where the pixels start and where each row's
    // alignment ends are worked out from this count, never from a file position.
    std::int64_t m_nBytesRead = 0;

    class Input;

private:
    std::vector<std::uint8_t> Read(Input& in, int& width, int& height);
};
