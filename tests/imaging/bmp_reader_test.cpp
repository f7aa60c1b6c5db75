#include "bmp_reader.h"
#include "picture_limits.h"
#include "test_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace {

struct Decoded {
    Bytes rgb;
    int width = -1;
    int height = -1;
    std::string status;
};

Decoded FromFile(const std::string& path) {
    Decoded d;
    BmpReader reader;
    d.rgb = reader.ReadBmpToRgb(path, d.width, d.height);
    d.status = reader.m_strStatus;
    return d;
}

Decoded FromMemory(const Bytes& bytes) {
    Decoded d;
    BmpReader reader;
    d.rgb = reader.ReadBmpToRgb(bytes, d.width, d.height);
    d.status = reader.m_strStatus;
    return d;
}

// A plasma picture written by ImageMagick with extra arguments and a writer.
std::string MakeBmp(const std::string& name, const QStringList& extra, int width = 13,
                    int height = 7, const std::string& prefix = "BMP3:") {
    return MakePicture(PlasmaSource(width, height) + extra, name, prefix);
}

// Checks that a file decodes, from disk and from memory, to ImageMagick's pixels.
void ExpectMatchesReference(const std::string& path, const Bytes& reference, int width,
                            int height) {
    const Decoded file = FromFile(path);
    EXPECT_EQ(file.status, "OK");
    EXPECT_EQ(file.width, width);
    EXPECT_EQ(file.height, height);
    EXPECT_EQ(MaxDifference(file.rgb, reference), 0);
    const Decoded memory = FromMemory(ReadBytes(path));
    EXPECT_EQ(memory.status, "OK");
    EXPECT_EQ(memory.rgb, file.rgb);
}

struct Variant {
    const char* name;
    QStringList args;
    int width;
    const char* prefix;
    int bits;
    std::uint32_t infoSize;
};

class BmpVariants : public ::testing::TestWithParam<Variant> {};

TEST_P(BmpVariants, MatchImageMagickPixelForPixel) {
    const Variant& v = GetParam();
    const std::string path = MakeBmp(std::string(v.name) + ".bmp", v.args, v.width, 7, v.prefix);
    ASSERT_FALSE(path.empty());
    const Bytes file = ReadBytes(path);
    // Make sure ImageMagick wrote the variant the case is about.
    ASSERT_EQ(file.at(28), v.bits);
    ASSERT_EQ(GetLe32(file, 14), v.infoSize);
    ExpectMatchesReference(path, ReferenceRgb(path), v.width, 7);
}

const QStringList kNone = {};
const QStringList kTrue = {"-type", "TrueColor"};
const QStringList kMono = {"-monochrome"};
const QStringList k16 = {"-colors", "16", "-type", "Palette"};
const QStringList k200 = {"-colors", "200", "-type", "Palette", "-compress", "none"};

INSTANTIATE_TEST_SUITE_P(
    Bmp, BmpVariants,
    ::testing::Values(
        Variant{"bits1", kMono, 13, "BMP3:", 1, 40},
        Variant{"bits1_width10", kMono, 10, "BMP3:", 1, 40},
        Variant{"bits4", k16, 13, "BMP3:", 4, 40}, Variant{"bits8", k200, 13, "BMP3:", 8, 40},
        Variant{"bits24", kTrue, 13, "BMP3:", 24, 40},
        Variant{"bits24_width1", kTrue, 1, "BMP3:", 24, 40},
        Variant{"bits24_width2", kTrue, 2, "BMP3:", 24, 40},
        Variant{"bits4_v5", k16, 13, "", 4, 124}, Variant{"bits8_v5", k200, 13, "", 8, 124},
        Variant{"bits24_v5", kTrue, 13, "", 24, 124},
        Variant{"bits16_565", {"-define", "bmp:subtype=RGB565"}, 13, "", 16, 124},
        Variant{"bits16_555", {"-define", "bmp:subtype=RGB555"}, 13, "", 16, 124},
        Variant{"bits32_masks",
                {"-alpha", "set", "-channel", "A", "-evaluate", "set", "100%", "+channel"},
                13,
                "",
                32,
                124}),
    [](const ::testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

// Rebuilds a file with its info header cut to `newSize` bytes (a version 5
// header made a version 4 one, say), keeping everything after the header.
Bytes WithInfoHeaderSize(const Bytes& file, std::uint32_t newSize) {
    const std::uint32_t oldSize = GetLe32(file, 14);
    Bytes out(file.begin(), file.begin() + 14 + newSize);
    out.insert(out.end(), file.begin() + 14 + oldSize, file.end());
    PutLe32(out, 14, newSize);
    PutLe32(out, 10, GetLe32(file, 10) - oldSize + newSize);
    PutLe32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

TEST(BmpReader, VersionFourHeadersReadLikeVersionFive) {
    for (const auto& args : {k200, kTrue}) {
        const std::string v5 = MakeBmp("v5.bmp", args, 13, 7, "");
        ASSERT_FALSE(v5.empty());
        const std::string v4 = ScratchPath("v4.bmp");
        WriteBytes(v4, WithInfoHeaderSize(ReadBytes(v5), 108));
        ExpectMatchesReference(v4, ReferenceRgb(v5), 13, 7);
    }
}

// The pixel rows of a bottom-up file put in the opposite order, with a
// negative height.
Bytes TopDown(const Bytes& file) {
    const std::uint32_t off = GetLe32(file, 10);
    const auto width = static_cast<std::int32_t>(GetLe32(file, 18));
    const auto height = static_cast<std::int32_t>(GetLe32(file, 22));
    const int bits = file.at(28);
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    Bytes out(file.begin(), file.begin() + off);
    for (std::int32_t row = height - 1; row >= 0; --row) {
        const auto start = file.begin() + off + static_cast<std::ptrdiff_t>(row * stride);
        out.insert(out.end(), start, start + static_cast<std::ptrdiff_t>(stride));
    }
    PutLe32(out, 22, static_cast<std::uint32_t>(-height));
    return out;
}

TEST(BmpReader, TopDownFilesLoadUpright) {
    for (const auto& args : {kTrue, k16, kMono}) {
        const std::string bottomUp = MakeBmp("bottom_up.bmp", args);
        ASSERT_FALSE(bottomUp.empty());
        const std::string topDown = ScratchPath("top_down.bmp");
        WriteBytes(topDown, TopDown(ReadBytes(bottomUp)));
        ExpectMatchesReference(topDown, ReferenceRgb(bottomUp), 13, 7);
    }
}

TEST(BmpReader, PlainThirtyTwoBitFilesIgnoreTheFourthByte) {
    const std::string path24 = MakeBmp("plain24.bmp", kTrue);
    ASSERT_FALSE(path24.empty());
    const Bytes b24 = ReadBytes(path24);
    const std::uint32_t off = GetLe32(b24, 10);
    Bytes b32(b24.begin(), b24.begin() + off);
    b32.at(28) = 32;
    const std::size_t stride24 = (13 * 3 + 3) / 4 * 4;
    for (int row = 0; row < 7; ++row) {
        for (int x = 0; x < 13; ++x) {
            const auto p = b24.begin() + off + row * static_cast<std::ptrdiff_t>(stride24) + x * 3;
            b32.insert(b32.end(), p, p + 3);
            b32.push_back(0xA5);
        }
    }
    const Decoded d = FromMemory(b32);
    EXPECT_EQ(d.status, "OK");
    EXPECT_EQ(MaxDifference(d.rgb, ReferenceRgb(path24)), 0);
}

TEST(BmpReader, BytesBetweenPaletteAndPixelsAreSkipped) {
    const std::string path = MakeBmp("gap.bmp", k16);
    ASSERT_FALSE(path.empty());
    Bytes file = ReadBytes(path);
    const std::uint32_t off = GetLe32(file, 10);
    ASSERT_EQ(off, 14u + 40u + 16u * 4u);
    file.insert(file.begin() + off, 20, 0xEE);
    PutLe32(file, 10, off + 20);
    const Decoded d = FromMemory(file);
    EXPECT_EQ(d.status, "OK");
    EXPECT_EQ(MaxDifference(d.rgb, ReferenceRgb(path)), 0);
}

// A hand-made 8-bit file: 40-byte header, `colours` palette entries, the
// given rows of indices (each padded to four bytes), bottom row first.
Bytes IndexedBmp(int width, int height, std::uint32_t colours, std::uint8_t fill) {
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLe32(b, 10, 54 + colours * 4);
    PutLe32(b, 14, 40);
    PutLe32(b, 18, static_cast<std::uint32_t>(width));
    PutLe32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 8;
    PutLe32(b, 46, colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
        b.insert(b.end(), {static_cast<std::uint8_t>(10 * i), static_cast<std::uint8_t>(20 * i),
                           static_cast<std::uint8_t>(30 * i + 1), 0});
    }
    b.insert(b.end(), stride * static_cast<std::size_t>(height), fill);
    PutLe32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

TEST(BmpReader, IndexPastTheShortPaletteIsBlack) {
    Bytes file = IndexedBmp(3, 2, 2, 1);
    file.back() = 7;             // the padding byte of the top row: not a pixel
    file[file.size() - 4] = 200; // the top row's first pixel
    const Decoded d = FromMemory(file);
    ASSERT_EQ(d.status, "OK");
    ASSERT_EQ(d.rgb.size(), 18u);
    EXPECT_EQ((Bytes{d.rgb.begin(), d.rgb.begin() + 6}), (Bytes{0, 0, 0, 31, 20, 10}));
    EXPECT_EQ(d.rgb[9], 31);
}

TEST(BmpReader, RefusesWhatItCannotRead) {
    struct Case {
        const char* what;
        Bytes file;
        std::string status;
    };
    const Bytes good = IndexedBmp(3, 2, 4, 1);
    auto changed = [&](std::size_t at, std::uint32_t v) {
        Bytes b = good;
        PutLe32(b, at, v);
        return b;
    };
    auto changed16 = [&](std::size_t at, std::uint16_t v) {
        Bytes b = good;
        b[at] = static_cast<std::uint8_t>(v);
        b[at + 1] = static_cast<std::uint8_t>(v >> 8);
        return b;
    };
    const std::vector<Case> cases = {
        {"empty", {}, "Not a valid BMP File"},
        {"one byte", {'B'}, "Not a valid BMP File"},
        {"not a bitmap", {'G', 'I', 'F', '8', '9', 'a'}, "Not a valid BMP File"},
        {"header cut short", Bytes(good.begin(), good.begin() + 30), "Read Error!"},
        {"palette cut short", Bytes(good.begin(), good.begin() + 60), "Read Error!"},
        {"pixels cut short", Bytes(good.begin(), good.end() - 5), "Read Error"},
        {"pixel offset inside the palette", changed(10, 54 + 8), "Corrupt palette"},
        {"run-length 8", changed(30, 1), "This is a compressed file."},
        {"run-length 4", changed(30, 2), "This is a compressed file."},
        {"masks on an indexed file", changed(30, 3), "This is a compressed file."},
        {"2 bits", changed16(28, 2), "Profundidad de color no admitida: 2 bits por píxel."},
        {"OS/2 header", changed(14, 12),
         "Formato BMP no admitido: la cabecera de 12 bytes es de una versión antigua."},
        {"zero width", changed(18, 0),
         "El archivo BMP indica un tamaño de imagen imposible: 0 x 2 píxeles."},
        {"negative width", changed(18, 0xFFFFFFFF),
         "El archivo BMP indica un tamaño de imagen imposible: -1 x 2 píxeles."},
        {"zero height", changed(22, 0),
         "El archivo BMP indica un tamaño de imagen imposible: 3 x 0 píxeles."},
        {"too wide", changed(18, 100000), PictureTooLargeText(100000, 2)},
        {"too many pixels",
         [&] {
             Bytes b = changed(18, 16384);
             PutLe32(b, 22, 16384);
             return b;
         }(),
         PictureTooLargeText(16384, 16384)},
        {"largest negative height", changed(22, 0x80000000), PictureTooLargeText(3, 2147483648LL)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded d = FromMemory(c.file);
        EXPECT_TRUE(d.rgb.empty());
        EXPECT_EQ(d.status, c.status);
    }
}

TEST(BmpReader, HugeColourCountCostsNeitherMemoryNorTime) {
    Bytes file = IndexedBmp(3, 2, 4, 1);
    PutLe32(file, 46, 0xFFFFFFF0);
    const auto start = std::chrono::steady_clock::now();
    const Decoded d = FromMemory(file);
    EXPECT_EQ(d.status, "Read Error!");
    // Generous: reading 64 GiB of palette would take minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(BmpReader, TruncatedTrueColourRowsFollowTheByteCount) {
    // Width 4: rows need no alignment bytes, so missing pixels are no error
    // and stay black. Cutting 17 bytes loses the top row and 5 bytes of the
    // middle one: its first two pixels came whole, the third only in part.
    const std::string even = MakeBmp("even.bmp", kTrue, 4, 3);
    ASSERT_FALSE(even.empty());
    Bytes file = ReadBytes(even);
    file.resize(file.size() - 12 - 5);
    Decoded d = FromMemory(file);
    EXPECT_EQ(d.status, "OK");
    Bytes expected = ReferenceRgb(even);
    ASSERT_EQ(d.rgb.size(), expected.size());
    std::fill(expected.begin(), expected.begin() + 12, 0);
    std::fill(expected.begin() + 12 + 6, expected.begin() + 24, 0);
    EXPECT_EQ(d.rgb, expected);

    // Width 13: each row ends with one alignment byte, whose absence is.
    const std::string odd = MakeBmp("odd.bmp", kTrue);
    ASSERT_FALSE(odd.empty());
    file = ReadBytes(odd);
    file.resize(file.size() - 10);
    d = FromMemory(file);
    EXPECT_TRUE(d.rgb.empty());
    EXPECT_EQ(d.status, "Read Error");
}

TEST(BmpReader, SizeIsSetOnlyOnceTheHeadersAreRead) {
    const Bytes whole = IndexedBmp(3, 2, 4, 1);
    Decoded d = FromMemory(Bytes(whole.begin(), whole.begin() + 60));
    EXPECT_EQ(d.width, 0);
    EXPECT_EQ(d.height, 0);
    d = FromMemory(whole);
    EXPECT_EQ(d.width, 3);
    EXPECT_EQ(d.height, 2);
}

TEST(BmpReader, MissingFileNamesThePath) {
    const std::string path = ScratchPath("no_such_picture.bmp");
    const Decoded d = FromFile(path);
    EXPECT_TRUE(d.rgb.empty());
    EXPECT_EQ(d.status, "Can't open file for reading :\n" + path);
}

TEST(BmpReader, RunLengthFileFromImageMagickIsRefused) {
    const std::string path =
        MakeBmp("rle.bmp", {"-colors", "200", "-type", "Palette", "-compress", "RLE"});
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(GetLe32(ReadBytes(path), 30), 1u);
    EXPECT_EQ(FromFile(path).status, "This is a compressed file.");
}

} // namespace
