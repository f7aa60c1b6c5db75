#include "jpeg_file.h"
#include "picture_limits.h"
#include "test_images.h"

#include <gtest/gtest.h>

namespace {

struct Decoded {
    Bytes rgb;
    int width = -1;
    int height = -1;
    std::string status = "not run";
};

Decoded FromFile(const std::string& path) {
    Decoded d;
    d.rgb = ReadJpegToRgb(path, d.width, d.height, d.status);
    return d;
}

Decoded FromMemory(const Bytes& bytes) {
    Decoded d;
    d.rgb = ReadJpegToRgb(bytes, d.width, d.height, d.status);
    return d;
}

const std::string kDamaged = "El archivo JPEG está dañado o no es una imagen JPEG.";

struct Variant {
    const char* name;
    QStringList args;
    int tolerance;
};

class JpegVariants : public ::testing::TestWithParam<Variant> {};

// libjpeg and ImageMagick may pick different inverse transforms and colour
// conversions, so the pixels agree within a few levels, not exactly.
TEST_P(JpegVariants, MatchImageMagickWithinTolerance) {
    const Variant& v = GetParam();
    const std::string path =
        MakePicture(PlasmaSource(37, 23) + v.args, std::string(v.name) + ".jpg");
    ASSERT_FALSE(path.empty());
    const Decoded file = FromFile(path);
    EXPECT_EQ(file.status, "");
    EXPECT_EQ(file.width, 37);
    EXPECT_EQ(file.height, 23);
    const int diff = MaxDifference(file.rgb, ReferenceRgb(path));
    EXPECT_GE(diff, 0);
    EXPECT_LE(diff, v.tolerance);
    EXPECT_EQ(FromMemory(ReadBytes(path)).rgb, file.rgb);
}

INSTANTIATE_TEST_SUITE_P(
    Jpeg, JpegVariants,
    ::testing::Values(Variant{"baseline", {"-quality", "90"}, 3},
                      Variant{"subsampled", {"-sampling-factor", "2x2", "-quality", "75"}, 3},
                      Variant{"progressive", {"-interlace", "JPEG"}, 3},
                      Variant{"greyscale", {"-colorspace", "Gray"}, 3},
                      Variant{"cmyk", {"-colorspace", "CMYK"}, 4}),
    [](const ::testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

TEST(JpegFile, GreyscaleGivesEqualChannels) {
    const std::string path =
        MakePicture(PlasmaSource(9, 5) + QStringList{"-colorspace", "Gray"}, "grey.jpg");
    ASSERT_FALSE(path.empty());
    const Decoded d = FromFile(path);
    ASSERT_EQ(d.rgb.size(), 9u * 5u * 3u);
    for (std::size_t i = 0; i < d.rgb.size(); i += 3) {
        ASSERT_EQ(d.rgb[i], d.rgb[i + 1]);
        ASSERT_EQ(d.rgb[i], d.rgb[i + 2]);
    }
}

TEST(JpegFile, CmykWithoutAdobeMarkerIsNotInverted) {
    // A white picture in CMYK: Adobe files store no ink as 255, plain ones as 0.
    const std::string path =
        MakePicture({"-size", "8x8", "xc:white", "-colorspace", "CMYK"}, "white_cmyk.jpg");
    ASSERT_FALSE(path.empty());
    const Bytes adobe = ReadBytes(path);
    Decoded d = FromMemory(adobe);
    ASSERT_EQ(d.rgb.size(), 8u * 8u * 3u);
    EXPECT_GE(*std::min_element(d.rgb.begin(), d.rgb.end()), 250);
    ASSERT_EQ(MaxDifference(d.rgb, ReferenceRgb(path)), 0);
}

TEST(JpegFile, SizeOfALargerPicture) {
    const std::string path = MakePicture({"-size", "640x480", "gradient:red-blue"}, "vga.jpg");
    ASSERT_FALSE(path.empty());
    const Decoded d = FromFile(path);
    EXPECT_EQ(d.width, 640);
    EXPECT_EQ(d.height, 480);
    EXPECT_EQ(d.rgb.size(), 921600u);
}

// Where the frame header's height and width sit in a baseline file.
std::size_t FrameHeader(const Bytes& jpeg) {
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            return i;
        }
    }
    return 0;
}

TEST(JpegFile, RefusesDamagedAndHugePictures) {
    const std::string path = MakePicture(PlasmaSource(37, 23), "for_damage.jpg");
    ASSERT_FALSE(path.empty());
    const Bytes good = ReadBytes(path);
    const std::size_t sof = FrameHeader(good);
    ASSERT_GT(sof, 0u);

    Bytes huge = good;
    huge[sof + 5] = 0xEA; // height 60000
    huge[sof + 6] = 0x60;
    huge[sof + 7] = 0xEA; // width 60000
    huge[sof + 8] = 0x60;
    Decoded d = FromMemory(huge);
    EXPECT_TRUE(d.rgb.empty());
    EXPECT_EQ(d.status, PictureTooLargeText(60000, 60000));

    Bytes zeroHigh = good;
    zeroHigh[sof + 5] = 0;
    zeroHigh[sof + 6] = 0;
    d = FromMemory(zeroHigh);
    EXPECT_TRUE(d.rgb.empty());
    EXPECT_FALSE(d.status.empty());

    for (const Bytes& bad :
         {Bytes{}, Bytes{'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'},
          Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(sof))}) {
        d = FromMemory(bad);
        EXPECT_TRUE(d.rgb.empty());
        EXPECT_EQ(d.status, kDamaged);
    }

    const std::string text = ScratchPath("text.jpg");
    WriteBytes(text, {'h', 'e', 'l', 'l', 'o', '\n'});
    d = FromFile(text);
    EXPECT_TRUE(d.rgb.empty());
    EXPECT_EQ(d.status, kDamaged);
}

TEST(JpegFile, TruncatedDataStillGivesTheWholePicture) {
    const std::string path = MakePicture(PlasmaSource(64, 48), "truncated.jpg");
    ASSERT_FALSE(path.empty());
    Bytes bytes = ReadBytes(path);
    bytes.resize(bytes.size() * 2 / 3);
    const Decoded d = FromMemory(bytes);
    EXPECT_EQ(d.status, "");
    EXPECT_EQ(d.width, 64);
    EXPECT_EQ(d.rgb.size(), 64u * 48u * 3u);
}

TEST(JpegFile, UnopenableFileNamesThePath) {
    const std::string path = ScratchPath("missing.jpg");
    const Decoded d = FromFile(path);
    EXPECT_TRUE(d.rgb.empty());
    EXPECT_EQ(d.width, 0);
    EXPECT_EQ(d.status, "JPEG :\nCan't open " + path + "\n");
}

} // namespace
