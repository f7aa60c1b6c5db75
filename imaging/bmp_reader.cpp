#include "bmp_reader.h"

#include "file_guard.h"
#include "picture_limits.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

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

// What the file and info headers say about the pixels.
struct BmpHeader {
    std::uint32_t offBits = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t colorsUsed = 0;
    bool indexed = false;
    bool masked = false;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

// Blue, green, red and a reserved byte, as the file stores them.
using Palette = std::vector<std::array<std::uint8_t, 4>>;

// One pass over a BMP: headers, then palette, then rows, each step counting the
// bytes it consumes in the reader's count and leaving the reason for a failure
// in the reader's status.
class BmpDecoder {
public:
    BmpDecoder(BmpReader::Input& in, std::string& status, std::int64_t& bytesRead)
        : m_in(in), m_strStatus(status), m_nBytesRead(bytesRead) {}

    bool ReadHeader(BmpHeader& header);
    // The palette of an indexed picture, then whatever lies before the pixels.
    bool ReadPalette(const BmpHeader& header, Palette& palette);
    // `width` and `height` are set once the size is known to be allowed.
    std::vector<std::uint8_t> ReadRows(const BmpHeader& header, const Palette& palette, int& width,
                                       int& height);

private:
    std::uint32_t Field(int size);
    bool ReadInfo(BmpHeader& header);
    bool ReadMasks(BmpHeader& header);
    bool SkipRowPadding(std::uint32_t offBits);
    bool Fail(std::string why) {
        m_strStatus = std::move(why);
        return false;
    }

    BmpReader::Input& m_in;
    std::string& m_strStatus;
    std::int64_t& m_nBytesRead;
    bool m_bShortRead = false;
};

// Little-endian fields, each read on its own and counted; a short read is
// noted and checked once a group of fields is in.
std::uint32_t BmpDecoder::Field(int size) {
    std::array<std::uint8_t, 4> b{};
    const std::size_t got = m_in.Get(b.data(), static_cast<std::size_t>(size));
    m_nBytesRead += size;
    if (got < static_cast<std::size_t>(size)) {
        m_bShortRead = true;
    }
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

bool BmpDecoder::ReadHeader(BmpHeader& header) {
    std::uint8_t b = 0;
    std::uint8_t m = 0;
    const bool signature = m_in.Get(&b, 1) == 1 && m_in.Get(&m, 1) == 1;
    m_nBytesRead += 2;
    if (!signature || b != 'B' || m != 'M') {
        return Fail("Not a valid BMP File");
    }
    return ReadInfo(header) && ReadMasks(header);
}

// The rest of the file header and the first 40 bytes of the info header.
bool BmpDecoder::ReadInfo(BmpHeader& header) {
    Field(4); // file size
    Field(2); // reserved
    Field(2);
    header.offBits = Field(4);
    header.infoSize = Field(4);
    header.width = static_cast<std::int32_t>(Field(4));
    header.height = static_cast<std::int32_t>(Field(4));
    Field(2); // planes
    header.bitCount = Field(2);
    const std::uint32_t compression = Field(4);
    Field(4); // image size
    Field(4); // resolution
    Field(4);
    header.colorsUsed = Field(4);
    Field(4); // important colours
    if (m_bShortRead) {
        return Fail("Read Error!");
    }

    const std::uint32_t bitCount = header.bitCount;
    header.masked = compression == kBitfields && (bitCount == 16 || bitCount == 32);
    if (compression != kRgb && !header.masked) {
        return Fail("This is a compressed file.");
    }
    if (header.infoSize < 40) {
        return Fail(
            QCoreApplication::translate(
                "Picture",
                "Formato BMP no admitido: la cabecera de %1 bytes es de una versión antigua.")
                .arg(header.infoSize)
                .toStdString());
    }
    header.indexed = bitCount == 1 || bitCount == 4 || bitCount == 8;
    if (!header.indexed && bitCount != 16 && bitCount != 24 && bitCount != 32) {
        return Fail(QCoreApplication::translate(
                        "Picture", "Profundidad de color no admitida: %1 bits por píxel.")
                        .arg(bitCount)
                        .toStdString());
    }
    return true;
}

// 16- and 32-bit colours: the masks follow the first 40 bytes of the info
// header, inside a longer header or right after a 40-byte one.
bool BmpDecoder::ReadMasks(BmpHeader& header) {
    const bool sixteen = header.bitCount == 16;
    header.redMask = sixteen ? 0x7C00 : 0xFF0000;
    header.greenMask = sixteen ? 0x03E0 : 0x00FF00;
    header.blueMask = sixteen ? 0x001F : 0x0000FF;
    std::int64_t headerLeft = static_cast<std::int64_t>(header.infoSize) - 40;
    if (header.masked) {
        header.redMask = Field(4);
        header.greenMask = Field(4);
        header.blueMask = Field(4);
        headerLeft -= 12;
        if (m_bShortRead) {
            return Fail("Read Error!");
        }
    }
    // The rest of a longer header; the palette comes after it.
    if (headerLeft > 0) {
        if (m_nBytesRead + headerLeft > header.offBits) {
            return Fail("Corrupt palette");
        }
        const std::uint64_t dropped = m_in.Drop(static_cast<std::uint64_t>(headerLeft));
        m_nBytesRead += headerLeft;
        if (dropped < static_cast<std::uint64_t>(headerLeft)) {
            return Fail("Read Error!");
        }
    }
    return true;
}

bool BmpDecoder::ReadPalette(const BmpHeader& header, Palette& palette) {
    // Entries past the ones an index can reach are read and dropped, so a huge
    // colour count costs no memory.
    if (header.indexed) {
        const std::uint32_t reachable = 1u << header.bitCount;
        const std::uint32_t colorsUsed = header.colorsUsed == 0 ? reachable : header.colorsUsed;
        const std::uint32_t kept = std::min(colorsUsed, reachable);
        try {
            palette.resize(kept);
        } catch (const std::bad_alloc&) {
            return Fail("Out of memory");
        }
        for (auto& entry : palette) {
            const std::size_t got = m_in.Get(entry.data(), 4);
            m_nBytesRead += 4;
            if (got < 4) {
                return Fail("Read Error!");
            }
        }
        const std::uint64_t rest = static_cast<std::uint64_t>(colorsUsed - kept) * 4;
        if (rest > 0) {
            const std::uint64_t dropped = m_in.Drop(rest);
            m_nBytesRead += static_cast<std::int64_t>(rest);
            if (dropped < rest) {
                return Fail("Read Error!");
            }
        }
    }

    if (m_nBytesRead > header.offBits) {
        return Fail("Corrupt palette");
    }
    // Bytes before the pixels that are missing from the file are no error: the
    // pixels they would have held stay black.
    m_in.Drop(static_cast<std::uint64_t>(header.offBits - m_nBytesRead));
    m_nBytesRead = header.offBits;
    return true;
}

// One row of palette indices, packed high bits first. An index past the
// palette leaves its pixel black.
void DecodeIndexedRow(const std::uint8_t* row, std::size_t pixels, unsigned bitCount,
                      const Palette& palette, std::uint8_t* out) {
    const unsigned mask = (1u << bitCount) - 1;
    const unsigned perByte = 8 / bitCount;
    for (std::size_t x = 0; x < pixels; ++x) {
        const unsigned byte = row[x / perByte];
        const unsigned shift = 8 - bitCount * (x % perByte + 1);
        const unsigned index = (byte >> shift) & mask;
        if (index < palette.size()) {
            out[x * 3] = palette[index][2];
            out[x * 3 + 1] = palette[index][1];
            out[x * 3 + 2] = palette[index][0];
        }
    }
}

// The channels of a 16- or 32-bit picture.
struct Masks {
    Channel red;
    Channel green;
    Channel blue;
};

// One row of 16-, 24- or 32-bit pixels, of which the first `pixels` are whole.
void DecodeDirectRow(const std::uint8_t* row, std::size_t pixels, unsigned bitCount,
                     const Masks& masks, std::uint8_t* out) {
    const std::size_t bytesPerPixel = bitCount / 8;
    for (std::size_t x = 0; x < pixels; ++x) {
        const std::uint8_t* p = row + x * bytesPerPixel;
        if (bitCount == 24) {
            out[x * 3] = p[2];
            out[x * 3 + 1] = p[1];
            out[x * 3 + 2] = p[0];
        } else {
            std::uint32_t v = p[0];
            v |= static_cast<std::uint32_t>(p[1]) << 8;
            if (bitCount == 32) {
                v |= static_cast<std::uint32_t>(p[2]) << 16;
                v |= static_cast<std::uint32_t>(p[3]) << 24;
            }
            out[x * 3] = masks.red.Of(v);
            out[x * 3 + 1] = masks.green.Of(v);
            out[x * 3 + 2] = masks.blue.Of(v);
        }
    }
}

std::vector<std::uint8_t> BmpDecoder::ReadRows(const BmpHeader& header, const Palette& palette,
                                               int& width, int& height) {
    // A negative height marks rows stored top row first.
    const bool topDown = header.height < 0;
    const std::int64_t w = header.width;
    const std::int64_t h = topDown ? -static_cast<std::int64_t>(header.height) : header.height;
    if (w <= 0 || h <= 0) {
        Fail(QCoreApplication::translate(
                 "Picture", "El archivo BMP indica un tamaño de imagen imposible: %1 x %2 píxeles.")
                 .arg(header.width)
                 .arg(header.height)
                 .toStdString());
        return {};
    }
    if (!PictureSizeAllowed(w, h)) {
        Fail(PictureTooLargeText(w, h));
        return {};
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);

    std::vector<std::uint8_t> rgb;
    try {
        rgb.assign(static_cast<std::size_t>(w * h * 3), 0);
    } catch (const std::bad_alloc&) {
        Fail("Memory alloc Failed");
        return {};
    }

    const unsigned bitCount = header.bitCount;
    const std::size_t rowPixels = static_cast<std::size_t>(w);
    const std::size_t fileRowBytes = (rowPixels * bitCount + 7) / 8;
    std::vector<std::uint8_t> row(fileRowBytes);
    const Masks masks{Channel(header.redMask), Channel(header.greenMask), Channel(header.blueMask)};

    for (std::int64_t i = 0; i < h; ++i) {
        const std::int64_t y = topDown ? i : h - 1 - i;
        std::uint8_t* out = rgb.data() + static_cast<std::size_t>(y) * rowPixels * 3;
        const std::size_t got = m_in.Get(row.data(), fileRowBytes);
        m_nBytesRead += static_cast<std::int64_t>(fileRowBytes);
        if (header.indexed) {
            // Every index byte is needed to place the rest of the row.
            if (got < fileRowBytes) {
                Fail("Read Error");
                return {};
            }
            DecodeIndexedRow(row.data(), rowPixels, bitCount, palette, out);
        } else {
            // A pixel cut short by the end of the file stays black; the count
            // goes on as if the whole row had been there.
            const std::size_t whole = std::min(rowPixels, got / (bitCount / 8));
            DecodeDirectRow(row.data(), whole, bitCount, masks, out);
        }
        if (!SkipRowPadding(header.offBits)) {
            return {};
        }
    }
    return rgb;
}

// Rows end on a 4-byte boundary counted from the start of the pixels.
bool BmpDecoder::SkipRowPadding(std::uint32_t offBits) {
    const std::int64_t align = (4 - (m_nBytesRead - offBits) % 4) % 4;
    if (align > 0) {
        std::array<std::uint8_t, 3> pad{};
        const std::size_t padGot = m_in.Get(pad.data(), static_cast<std::size_t>(align));
        m_nBytesRead += align;
        if (padGot < static_cast<std::size_t>(align)) {
            return Fail("Read Error");
        }
    }
    return true;
}

} // namespace

std::vector<std::uint8_t> BmpReader::ReadBmpToRgb(const std::string& path, int& width,
                                                  int& height) {
    width = 0;
    height = 0;
    m_strStatus = "OK";
    m_nBytesRead = 0;
    Problem refusal;
    std::FILE* file = OpenRegularStream(path, refusal);
    if (file == nullptr) {
        m_strStatus =
            refusal ? ProblemText(refusal).toStdString() : "Can't open file for reading :\n" + path;
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
    BmpDecoder decoder(in, m_strStatus, m_nBytesRead);
    BmpHeader header;
    Palette palette;
    if (!decoder.ReadHeader(header) || !decoder.ReadPalette(header, palette)) {
        return {};
    }
    return decoder.ReadRows(header, palette, width, height);
}
