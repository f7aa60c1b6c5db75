#include "jpeg_decode.h"
#include "jpeg_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Smooth gradients with a hard edge: what a town overview looks like to a codec.
std::vector<std::uint8_t> TestPattern(int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = static_cast<std::uint8_t>(x * 255 / std::max(width - 1, 1));
            p[1] = static_cast<std::uint8_t>(y * 255 / std::max(height - 1, 1));
            p[2] = x < width / 2 ? 40 : 220;
        }
    }
    return rgb;
}

double MeanError(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += std::abs(int{a[i]} - int{b[i]});
    return sum / static_cast<double>(a.size());
}

bool HasBaselineFrameMarker(const std::vector<std::uint8_t>& jpeg) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0)
            return true;
    return false;
}

} // namespace

TEST(JpegWriter, WritesBaselinePictureThatDecodesToTheSamePixels) {
    const auto rgb = TestPattern(64, 48);
    const auto jpeg = EncodeJpeg(rgb, 64, 48, 92);
    ASSERT_FALSE(jpeg.empty());
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_TRUE(HasBaselineFrameMarker(jpeg));
    const DecodedJpeg decoded = DecodeJpeg(jpeg);
    ASSERT_TRUE(decoded.ok);
    EXPECT_FALSE(decoded.progressive);
    EXPECT_EQ(decoded.width, 64);
    EXPECT_EQ(decoded.height, 48);
    EXPECT_LT(MeanError(rgb, decoded.rgb), 4.0);
}

TEST(JpegWriter, OddAndTinySizesRoundTrip) {
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{17, 5}, std::pair{3, 200}}) {
        const auto jpeg = EncodeJpeg(TestPattern(w, h), w, h, 80);
        const DecodedJpeg decoded = DecodeJpeg(jpeg);
        ASSERT_TRUE(decoded.ok) << w << "x" << h;
        EXPECT_EQ(decoded.width, w);
        EXPECT_EQ(decoded.height, h);
    }
}

TEST(JpegWriter, QualityTradesSizeForFidelity) {
    const auto rgb = TestPattern(128, 128);
    const auto low = EncodeJpeg(rgb, 128, 128, 10);
    const auto high = EncodeJpeg(rgb, 128, 128, 95);
    ASSERT_FALSE(low.empty());
    ASSERT_FALSE(high.empty());
    EXPECT_LT(low.size(), high.size());
    EXPECT_LT(MeanError(rgb, DecodeJpeg(high).rgb), MeanError(rgb, DecodeJpeg(low).rgb));
}

TEST(JpegWriter, QualityOutsideItsRangeIsClamped) {
    const auto rgb = TestPattern(16, 16);
    EXPECT_EQ(EncodeJpeg(rgb, 16, 16, -5), EncodeJpeg(rgb, 16, 16, 1));
    EXPECT_EQ(EncodeJpeg(rgb, 16, 16, 1000), EncodeJpeg(rgb, 16, 16, 100));
    EXPECT_TRUE(DecodeJpeg(EncodeJpeg(rgb, 16, 16, 1000)).ok);
}

TEST(JpegWriter, RefusesImpossibleInputWithoutTouchingMemoryOutsideTheBuffer) {
    const auto rgb = TestPattern(8, 8);
    EXPECT_TRUE(EncodeJpeg(rgb, 0, 8).empty());
    EXPECT_TRUE(EncodeJpeg(rgb, 8, -1).empty());
    EXPECT_TRUE(EncodeJpeg(rgb, 8, 9).empty()); // one row more than the buffer holds
    EXPECT_TRUE(EncodeJpeg({}, 1, 1).empty());
    // Past the format's limit of 65535 lines; the buffer check alone would not catch it.
    std::vector<std::uint8_t> tall(70000 * 3);
    EXPECT_TRUE(EncodeJpeg(tall, 1, 70000).empty());
}
