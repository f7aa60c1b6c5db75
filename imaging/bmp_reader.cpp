#include "bmp_reader.h"

#include "picture_limits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>

class BmpReader::Input {
public:
    virtual ~Input() = default;
    // Reads up to `n` bytes; returns how many came.
    virtual std::size_t Get(std::uint8_t* dst, std::size_t n) = 0;
    // Drops up to `n` bytes; returns how many were there to drop.
    virtual std::uint64_t Drop(std::uint64_t n) = 0;
};

namespace {

class FileInput final : public BmpReader::Input {
public:
    explicit FileInput(std::FILE* file) : m_pFile(file) {}
    std::size_t Get(std::uint8_t* dst, std::size_t n) override {
        return std::fread(dst, 1, n, m_pFile);
    }
    std::uint64_t Drop(std::uint64_t n) override {
        std::array<std::uint8_t, 4096> scratch;
        std::uint64_t dropped = 0;
        while (dropped < n) {
            const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(n - dropped, 4096));
            const std::size_t got = std::fread(scratch.data(), 1, chunk, m_pFile);
            dropped += got;
            if (got < chunk) {
                break;
            }
        }
        return dropped;
    }

private:
    std::FILE* m_pFile;
};

class MemoryInput final : public BmpReader::Input {
public:
    explicit MemoryInput(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::size_t Get(std::uint8_t* dst, std::size_t n) override {
        const std::size_t got = std::min(n, m_bytes.size() - m_pos);
        if (got > 0) {
            std::memcpy(dst, m_bytes.data() + m_pos, got);
        }
        m_pos += got;
        return got;
    }
    std::uint64_t Drop(std::uint64_t n) override {
        const auto got =
            static_cast<std::size_t>(std::min<std::uint64_t>(n, m_bytes.size() - m_pos));
        m_pos += got;
        return got;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitfields = 3;

// One colour channel of a 16- or 32-bit pixel: where its bits sit and how
// many there are, widened to 8 bits by repeating the top bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::countr_one(m >> shift);
        }
    }
    std::uint8_t Of(std::uint32_t pixel) const {
        if (bits == 0) {
            return 0;
        }
        const auto v =
            static_cast<std::uint32_t>((pixel >> shift) & ((std::uint64_t{1} << bits) - 1));
        if (bits >= 8) {
            return static_cast<std::uint8_t>(v >> (bits - 8));
        }
        std::uint32_t out = 0;
        for (int filled = 0; filled < 8; filled += bits) {
            out = (out << bits) | v;
        }
        // The loop may have put up to bits - 1 more bits below the eight wanted.
        const int total = (8 + bits - 1) / bits * bits;
        return static_cast<std::uint8_t>(out >> (total - 8));
    }
};

} // namespace

std::vector<std::uint8_t> BmpReader::ReadBmpToRgb(const std::string& path, int& width,
                                                  int& height) {
    width = 0;
    height = 0;
    m_strStatus = "OK";
    m_nBytesRead = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        m_strStatus = "Can't open file for reading :\n" + path;
        return {};
    }
    FileInput in(file);
    auto rgb = Read(in, width, height);
    std::fclose(file);
    return rgb;
}

std::vector<std::uint8_t> BmpReader::ReadBmpToRgb(std::span<const std::uint8_t> bytes, int& width,
                                                  int& height) {
    width = 0;
    height = 0;
    m_strStatus = "OK";
    m_nBytesRead = 0;
    MemoryInput in(bytes);
    return Read(in, width, height);
}

std::vector<std::uint8_t> BmpReader::Read(Input& in, int& width, int& height) {
    // Little-endian fields, each read on its own and counted.
    bool shortRead = false;
    auto field = [&](int size) -> std::uint32_t {
        std::array<std::uint8_t, 4> b{};
        const std::size_t got = in.Get(b.data(), static_cast<std::size_t>(size));
        m_nBytesRead += size;
        if (got < static_cast<std::size_t>(size)) {
            shortRead = true;
        }
        return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
               static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    };

    std::uint8_t b = 0;
    std::uint8_t m = 0;
    const bool signature = in.Get(&b, 1) == 1 && in.Get(&m, 1) == 1;
    m_nBytesRead += 2;
    if (!signature || b != 'B' || m != 'M') {
        m_strStatus = "Not a valid BMP File";
        return {};
    }

    field(4); // file size
    field(2); // reserved
    field(2);
    const std::uint32_t offBits = field(4);
    const std::uint32_t infoSize = field(4);
    const auto bmpWidth = static_cast<std::int32_t>(field(4));
    const auto bmpHeight = static_cast<std::int32_t>(field(4));
    field(2); // planes
    const std::uint32_t bitCount = field(2);
    const std::uint32_t compression = field(4);
    field(4); // image size
    field(4); // resolution
    field(4);
    std::uint32_t colorsUsed = field(4);
    field(4); // important colours
    if (shortRead) {
        m_strStatus = "Read Error!";
        return {};
    }

    const bool masked = compression == kBitfields && (bitCount == 16 || bitCount == 32);
    if (compression != kRgb && !masked) {
        m_strStatus = "This is a compressed file.";
        return {};
    }
    if (infoSize < 40) {
        m_strStatus = "Formato BMP no admitido: la cabecera de " + std::to_string(infoSize) +
                      " bytes es de una versión antigua.";
        return {};
    }
    const bool indexed = bitCount == 1 || bitCount == 4 || bitCount == 8;
    if (!indexed && bitCount != 16 && bitCount != 24 && bitCount != 32) {
        m_strStatus =
            "Profundidad de color no admitida: " + std::to_string(bitCount) + " bits por píxel.";
        return {};
    }

    // 16- and 32-bit colours: the masks follow the first 40 bytes of the info
    // header, inside a longer header or right after a 40-byte one.
    std::uint32_t redMask = bitCount == 16 ? 0x7C00 : 0xFF0000;
    std::uint32_t greenMask = bitCount == 16 ? 0x03E0 : 0x00FF00;
    std::uint32_t blueMask = bitCount == 16 ? 0x001F : 0x0000FF;
    std::int64_t headerLeft = static_cast<std::int64_t>(infoSize) - 40;
    if (masked) {
        redMask = field(4);
        greenMask = field(4);
        blueMask = field(4);
        headerLeft -= 12;
        if (shortRead) {
            m_strStatus = "Read Error!";
            return {};
        }
    }
    // The rest of a longer header; the palette comes after it.
    if (headerLeft > 0) {
        if (m_nBytesRead + headerLeft > offBits) {
            m_strStatus = "Corrupt palette";
            return {};
        }
        const std::uint64_t dropped = in.Drop(static_cast<std::uint64_t>(headerLeft));
        m_nBytesRead += headerLeft;
        if (dropped < static_cast<std::uint64_t>(headerLeft)) {
            m_strStatus = "Read Error!";
            return {};
        }
    }

    // Entries past the ones an index can reach are read and dropped, so a huge
    // colour count costs no memory.
    std::vector<std::array<std::uint8_t, 4>> palette;
    if (indexed) {
        if (colorsUsed == 0) {
            colorsUsed = 1u << bitCount;
        }
        const std::uint32_t kept = std::min(colorsUsed, 1u << bitCount);
        try {
            palette.resize(kept);
        } catch (const std::bad_alloc&) {
            m_strStatus = "Out of memory";
            return {};
        }
        for (auto& entry : palette) {
            const std::size_t got = in.Get(entry.data(), 4);
            m_nBytesRead += 4;
            if (got < 4) {
                m_strStatus = "Read Error!";
                return {};
            }
        }
        const std::uint64_t rest = static_cast<std::uint64_t>(colorsUsed - kept) * 4;
        if (rest > 0) {
            const std::uint64_t dropped = in.Drop(rest);
            m_nBytesRead += static_cast<std::int64_t>(rest);
            if (dropped < rest) {
                m_strStatus = "Read Error!";
                return {};
            }
        }
    }

    if (m_nBytesRead > offBits) {
        m_strStatus = "Corrupt palette";
        return {};
    }
    // Bytes before the pixels that are missing from the file are no error: the
    // pixels they would have held stay black.
    in.Drop(static_cast<std::uint64_t>(offBits - m_nBytesRead));
    m_nBytesRead = offBits;

    // A negative height marks rows stored top row first.
    const bool topDown = bmpHeight < 0;
    const std::int64_t w = bmpWidth;
    const std::int64_t h = topDown ? -static_cast<std::int64_t>(bmpHeight) : bmpHeight;
    if (w <= 0 || h <= 0) {
        m_strStatus =
            "El archivo BMP indica un tamaño de imagen imposible: " + std::to_string(bmpWidth) +
            " x " + std::to_string(bmpHeight) + " píxeles.";
        return {};
    }
    if (!PictureSizeAllowed(w, h)) {
        m_strStatus = PictureTooLargeText(w, h);
        return {};
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);

    std::vector<std::uint8_t> rgb;
    try {
        rgb.assign(static_cast<std::size_t>(w * h * 3), 0);
    } catch (const std::bad_alloc&) {
        m_strStatus = "Memory alloc Failed";
        return {};
    }

    const std::size_t rowPixels = static_cast<std::size_t>(w);
    const std::size_t fileRowBytes = (rowPixels * bitCount + 7) / 8;
    std::vector<std::uint8_t> row(fileRowBytes);
    const Channel red(redMask);
    const Channel green(greenMask);
    const Channel blue(blueMask);

    for (std::int64_t i = 0; i < h; ++i) {
        const std::int64_t y = topDown ? i : h - 1 - i;
        std::uint8_t* out = rgb.data() + static_cast<std::size_t>(y) * rowPixels * 3;
        const std::size_t got = in.Get(row.data(), fileRowBytes);
        m_nBytesRead += static_cast<std::int64_t>(fileRowBytes);
        if (indexed) {
            // Every index byte is needed to place the rest of the row.
            if (got < fileRowBytes) {
                m_strStatus = "Read Error";
                return {};
            }
            const unsigned mask = (1u << bitCount) - 1;
            const unsigned perByte = 8 / bitCount;
            for (std::size_t x = 0; x < rowPixels; ++x) {
                const unsigned byte = row[x / perByte];
                const unsigned shift = 8 - bitCount * (x % perByte + 1);
                const unsigned index = (byte >> shift) & mask;
                if (index < palette.size()) {
                    out[x * 3] = palette[index][2];
                    out[x * 3 + 1] = palette[index][1];
                    out[x * 3 + 2] = palette[index][0];
                }
            }
        } else {
            // A pixel cut short by the end of the file stays black; the count
            // goes on as if the whole row had been there.
            const std::size_t bytesPerPixel = bitCount / 8;
            const std::size_t whole = std::min(rowPixels, got / bytesPerPixel);
            for (std::size_t x = 0; x < whole; ++x) {
                const std::uint8_t* p = row.data() + x * bytesPerPixel;
                if (bitCount == 24) {
                    out[x * 3] = p[2];
                    out[x * 3 + 1] = p[1];
                    out[x * 3 + 2] = p[0];
                } else {
                    std::uint32_t v =
                        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
                    if (bitCount == 32) {
                        v |= static_cast<std::uint32_t>(p[2]) << 16 |
                             static_cast<std::uint32_t>(p[3]) << 24;
                    }
                    out[x * 3] = red.Of(v);
                    out[x * 3 + 1] = green.Of(v);
                    out[x * 3 + 2] = blue.Of(v);
                }
            }
        }
        const std::int64_t align = (4 - (m_nBytesRead - offBits) % 4) % 4;
        if (align > 0) {
            std::array<std::uint8_t, 3> pad{};
            const std::size_t padGot = in.Get(pad.data(), static_cast<std::size_t>(align));
            m_nBytesRead += align;
            if (padGot < static_cast<std::size_t>(align)) {
                m_strStatus = "Read Error";
                return {};
            }
        }
    }
    return rgb;
}
