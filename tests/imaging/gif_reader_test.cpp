#include "gif_reader.h"
#include "picture_limits.h"
#include "test_images.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <optional>

namespace {

using Palette = std::vector<GifColorType>;

struct GifImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlace = false;
    std::optional<Palette> local;
    Bytes pixels; // width x height indices, rows top to bottom
    // A graphic control extension before the image: flags byte and index.
    std::optional<std::pair<int, int>> control;
};

int AppendOutput(GifFileType* gif, const GifByteType* data, int n) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

ColorMapObject* MakeMap(const Palette& p) {
    return GifMakeMapObject(static_cast<int>(p.size()), p.data());
}

// A GIF written by giflib's encoder, which lets a test place images where
// ImageMagick would never put them.
Bytes MakeGif(int width, int height, const std::optional<Palette>& global, int background,
              const std::vector<GifImage>& images) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendOutput, &error);
    EXPECT_NE(gif, nullptr);
    EGifSetGifVersion(gif, true);
    ColorMapObject* globalMap = global ? MakeMap(*global) : nullptr;
    EXPECT_EQ(EGifPutScreenDesc(gif, width, height, 8, background, globalMap), GIF_OK);
    GifFreeMapObject(globalMap);
    for (const GifImage& image : images) {
        if (image.control) {
            const GifByteType gce[4] = {static_cast<GifByteType>(image.control->first), 0, 0,
                                        static_cast<GifByteType>(image.control->second)};
            EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, gce), GIF_OK);
        }
        ColorMapObject* localMap = image.local ? MakeMap(*image.local) : nullptr;
        EXPECT_EQ(EGifPutImageDesc(gif, image.left, image.top, image.width, image.height,
                                   image.interlace, localMap),
                  GIF_OK);
        GifFreeMapObject(localMap);
        std::vector<int> order;
        if (image.interlace) {
            for (int pass = 0; pass < 4; ++pass) {
                static const int start[] = {0, 4, 2, 1};
                static const int step[] = {8, 8, 4, 2};
                for (int row = start[pass]; row < image.height; row += step[pass]) {
                    order.push_back(row);
                }
            }
        } else {
            for (int row = 0; row < image.height; ++row) {
                order.push_back(row);
            }
        }
        for (int row : order) {
            Bytes line(image.pixels.begin() + row * image.width,
                       image.pixels.begin() + (row + 1) * image.width);
            EXPECT_EQ(EGifPutLine(gif, line.data(), image.width), GIF_OK);
        }
    }
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    return out;
}

Palette Ramp(int n, int base) {
    Palette p;
    for (int i = 0; i < n; ++i) {
        p.push_back({static_cast<GifByteType>(base + i), static_cast<GifByteType>(2 * i),
                     static_cast<GifByteType>(255 - i)});
    }
    return p;
}

Bytes Indices(int n, int modulo) {
    Bytes b(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % modulo);
    }
    return b;
}

struct Frames {
    bool opened = false;
    std::vector<Bytes> frames;
    int width = 0;
    int height = 0;
    Color transparent = 0;
    std::string status;
};

Frames ReadAll(const Bytes& bytes) {
    Frames f;
    GifReader reader;
    f.opened = reader.Open(bytes);
    f.width = reader.ScreenWidth();
    f.height = reader.ScreenHeight();
    Bytes frame;
    while (f.opened && reader.ReadNextFrame(frame) == GifReader::kFrame) {
        f.frames.push_back(frame);
    }
    // Once the end has been met, it stays the end.
    EXPECT_EQ(reader.ReadNextFrame(frame), GifReader::kEnd);
    f.transparent = reader.m_crTransparent;
    f.status = reader.m_strStatus;
    return f;
}

Bytes Concatenated(const std::vector<Bytes>& frames) {
    Bytes all;
    for (const Bytes& f : frames) {
        all.insert(all.end(), f.begin(), f.end());
    }
    return all;
}

Frames ReadFileAll(const std::string& path) {
    Frames f;
    GifReader reader;
    f.opened = reader.Open(path);
    Bytes frame;
    while (f.opened && reader.ReadNextFrame(frame) == GifReader::kFrame) {
        f.frames.push_back(frame);
    }
    f.status = reader.m_strStatus;
    return f;
}

TEST(GifReader, SingleAndInterlacedPicturesMatchImageMagick) {
    const QStringList source = PlasmaSource(13, 11) + QStringList{"-colors", "40"};
    const std::string plain = MakePicture(source, "plain.gif");
    const std::string interlaced =
        MakePicture(source + QStringList{"-interlace", "GIF"}, "interlaced.gif");
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(interlaced.empty());
    ASSERT_NE(ReadBytes(interlaced), ReadBytes(plain));
    const Frames a = ReadFileAll(plain);
    const Frames b = ReadFileAll(interlaced);
    ASSERT_EQ(a.frames.size(), 1u);
    ASSERT_EQ(b.frames.size(), 1u);
    EXPECT_EQ(a.status, "");
    EXPECT_EQ(MaxDifference(a.frames[0], ReferenceRgb(plain)), 0);
    EXPECT_EQ(b.frames[0], a.frames[0]);
}

TEST(GifReader, AnimationGivesEachFrameThenTheEnd) {
    const std::string path =
        MakePicture(PlasmaSource(9, 6, 1) + PlasmaSource(9, 6, 2) + PlasmaSource(9, 6, 3) +
                        QStringList{"-colors", "30", "-set", "delay", "10"},
                    "animated.gif");
    ASSERT_FALSE(path.empty());
    const Frames f = ReadFileAll(path);
    ASSERT_EQ(f.frames.size(), 3u);
    EXPECT_EQ(MaxDifference(Concatenated(f.frames), ReferenceRgb(path)), 0);
}

TEST(GifReader, TransparentColourComesFromTheGraphicControlExtension) {
    const std::string path = MakePicture(
        {"-size", "6x5", "xc:red", "-fill", "blue", "-draw", "point 2 2", "-transparent", "blue"},
        "transparent.gif");
    ASSERT_FALSE(path.empty());
    const Bytes file = ReadBytes(path);
    // Find the extension and look its index up in the global table ourselves.
    std::size_t at = 0;
    for (std::size_t i = 0; i + 7 < file.size(); ++i) {
        if (file[i] == 0x21 && file[i + 1] == 0xF9 && file[i + 2] == 4) {
            at = i;
            break;
        }
    }
    ASSERT_GT(at, 0u);
    ASSERT_TRUE(file[at + 3] & 1);
    const std::size_t entry = 13 + 3 * static_cast<std::size_t>(file[at + 6]);
    const Frames f = ReadAll(file);
    ASSERT_EQ(f.frames.size(), 1u);
    EXPECT_EQ(f.transparent, Rgb(file[entry], file[entry + 1], file[entry + 2]));
    EXPECT_EQ(MaxDifference(f.frames[0], ReferenceRgb(path)), 0);
}

TEST(GifReader, LaterExtensionWithoutTransparencyClearsIt) {
    const Palette global = Ramp(8, 100);
    GifImage first{0, 0, 2, 2, false, std::nullopt, Indices(4, 8), std::pair{1, 5}};
    const Frames one = ReadAll(MakeGif(2, 2, global, 0, {first}));
    EXPECT_EQ(one.transparent, Rgb(105, 10, 250));
    GifImage second = first;
    second.control = std::pair{0, 5};
    const Frames two = ReadAll(MakeGif(2, 2, global, 0, {first, second}));
    EXPECT_EQ(two.frames.size(), 2u);
    EXPECT_EQ(two.transparent, 0u);
}

TEST(GifReader, ImagesArePlacedAtTheirOffsetsAndClippedToTheScreen) {
    const Palette global = Ramp(4, 0);
    const Palette local = Ramp(4, 200);
    // 3 x 3 image at (2, 1) on a 4 x 3 screen: one column and one row fall outside.
    GifImage image{2, 1, 3, 3, false, local, Indices(9, 4), std::nullopt};
    const Frames f = ReadAll(MakeGif(4, 3, global, 3, {image}));
    ASSERT_TRUE(f.opened);
    ASSERT_EQ(f.frames.size(), 1u);
    const Bytes& px = f.frames[0];
    ASSERT_EQ(px.size(), 4u * 3u * 3u);
    auto at = [&](int x, int y) {
        const auto i = static_cast<std::size_t>((y * 4 + x) * 3);
        return Bytes{px[i], px[i + 1], px[i + 2]};
    };
    const Bytes background = {3, 6, 252};
    EXPECT_EQ(at(0, 0), background);
    EXPECT_EQ(at(3, 0), background);
    EXPECT_EQ(at(1, 2), background);
    // Image pixel (0, 0) is index 0 of the local table; (1, 1) is index 4 % 4 = 0.
    EXPECT_EQ(at(2, 1), (Bytes{200, 0, 255}));
    EXPECT_EQ(at(3, 1), (Bytes{201, 2, 254}));
    EXPECT_EQ(at(2, 2), (Bytes{203, 6, 252}));
    EXPECT_EQ(at(3, 2), (Bytes{200, 0, 255}));
}

TEST(GifReader, InterlacedImageLandsOnTheSameRowsAsAPlainOne) {
    const Palette global = Ramp(16, 0);
    GifImage plain{1, 2, 3, 11, false, std::nullopt, Indices(33, 16), std::nullopt};
    GifImage interlaced = plain;
    interlaced.interlace = true;
    const Frames a = ReadAll(MakeGif(5, 16, global, 0, {plain}));
    const Frames b = ReadAll(MakeGif(5, 16, global, 0, {interlaced}));
    ASSERT_EQ(a.frames.size(), 1u);
    ASSERT_EQ(b.frames.size(), 1u);
    EXPECT_EQ(a.frames[0], b.frames[0]);
}

TEST(GifReader, WithoutAGlobalTableColoursComeFromTheLocalTableOrAGreyRamp) {
    GifImage withLocal{0, 0, 2, 1, false, Ramp(2, 50), Bytes{1, 0}, std::nullopt};
    Frames f = ReadAll(MakeGif(3, 1, std::nullopt, 0, {withLocal}));
    ASSERT_EQ(f.frames.size(), 1u);
    EXPECT_EQ(f.frames[0], (Bytes{51, 2, 254, 50, 0, 255, 0, 0, 0}));

    // giflib will not write an image without any table: take its local table out.
    GifImage noTable{0, 0, 3, 1, false, Ramp(2, 0), Bytes{1, 0, 1}, std::nullopt};
    Bytes file = MakeGif(3, 1, std::nullopt, 0, {noTable});
    const std::size_t packed = 13 + 9;
    ASSERT_EQ(file.at(packed) & 0x87, 0x80);
    file.at(packed) = 0;
    file.erase(file.begin() + packed + 1, file.begin() + packed + 1 + 6);
    f = ReadAll(file);
    ASSERT_EQ(f.frames.size(), 1u);
    EXPECT_EQ(f.frames[0], (Bytes{1, 1, 1, 0, 0, 0, 1, 1, 1}));
}

TEST(GifReader, IndexPastTheTableIsBlack) {
    GifImage image{0, 0, 2, 1, false, std::nullopt, Bytes{1, 3}, std::nullopt};
    const Frames f = ReadAll(MakeGif(2, 1, Ramp(2, 9), 0, {image}));
    ASSERT_EQ(f.frames.size(), 1u);
    // giflib rounds a table up to a power of two: 2 entries stay 2.
    EXPECT_EQ(f.frames[0], (Bytes{10, 2, 254, 0, 0, 0}));
}

TEST(GifReader, FileWithoutImagesEndsAtOnce) {
    const Frames f = ReadAll(MakeGif(3, 2, Ramp(2, 0), 1, {}));
    EXPECT_TRUE(f.opened);
    EXPECT_TRUE(f.frames.empty());
    EXPECT_EQ(f.status, "");
}

TEST(GifReader, RefusesWhatItCannotOpen) {
    const Bytes good =
        MakeGif(3, 2, Ramp(2, 0), 0,
                {GifImage{0, 0, 3, 2, false, std::nullopt, Indices(6, 2), std::nullopt}});
    Bytes stamp = good;
    stamp[2] = 'X';
    Bytes wide = good;
    wide[6] = 0x20; // 20000 wide
    wide[7] = 0x4E;
    Bytes empty = good;
    empty[6] = 0;
    empty[7] = 0;
    struct Case {
        const char* what;
        Bytes file;
        std::string status;
    };
    for (const Case& c : {Case{"no stamp", stamp, "El archivo no es una imagen GIF válida."},
                          Case{"nothing", {}, "El archivo no es una imagen GIF válida."},
                          Case{"stamp only", Bytes(good.begin(), good.begin() + 8),
                               "El archivo no es una imagen GIF válida."},
                          Case{"too wide", wide, PictureTooLargeText(20000, 2)},
                          Case{"no width", empty,
                               "El archivo GIF indica un tamaño de imagen imposible: 0 x 2 "
                               "píxeles."}}) {
        SCOPED_TRACE(c.what);
        const Frames f = ReadAll(c.file);
        EXPECT_FALSE(f.opened);
        EXPECT_EQ(f.status, c.status);
    }
    EXPECT_FALSE(ReadFileAll(ScratchPath("missing.gif")).opened);
}

TEST(GifReader, DamagedImageEndsTheFramesKeepingThoseBefore) {
    GifImage image{0, 0, 8, 8, false, std::nullopt, Indices(64, 16), std::nullopt};
    const Bytes two = MakeGif(8, 8, Ramp(16, 0), 0, {image, image});
    const Bytes cut(two.begin(), two.end() - 12);
    const Frames f = ReadAll(cut);
    EXPECT_EQ(f.frames.size(), 1u);
    EXPECT_EQ(f.status, "El archivo GIF está dañado.");
}

} // namespace
