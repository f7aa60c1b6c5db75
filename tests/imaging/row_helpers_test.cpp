#include "row_helpers.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Counting(std::size_t n) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), std::uint8_t{1});
    return b;
}

TEST(RowHelpers, SwapRedBlueTurnsEveryPixelAndBack) {
    Bytes b = Counting(12);
    ASSERT_TRUE(SwapRedBlue(b, 2, 2));
    EXPECT_EQ(b, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
    ASSERT_TRUE(SwapRedBlue(b, 2, 2));
    EXPECT_EQ(b, Counting(12));
}

TEST(RowHelpers, PadRowsToDwordStrides) {
    struct Row {
        int width;
        int stride;
    };
    for (const Row r : {Row{1, 4}, Row{2, 8}, Row{3, 12}, Row{4, 12}, Row{5, 16}, Row{13, 40}}) {
        SCOPED_TRACE(r.width);
        const Bytes in = Counting(static_cast<std::size_t>(r.width) * 3 * 2);
        int stride = -1;
        const Bytes out = PadRowsToDword(in, r.width, 2, stride);
        ASSERT_EQ(stride, r.stride);
        ASSERT_EQ(out.size(), static_cast<std::size_t>(r.stride) * 2);
        const auto rowBytes = static_cast<std::ptrdiff_t>(r.width) * 3;
        EXPECT_TRUE(std::equal(in.begin(), in.begin() + rowBytes, out.begin()));
        EXPECT_TRUE(std::equal(in.begin() + rowBytes, in.end(), out.begin() + r.stride));
    }
}

TEST(RowHelpers, FlipRowsVerticallyOddAndEvenHeights) {
    Bytes three = {1, 1, 2, 2, 3, 3};
    ASSERT_TRUE(FlipRowsVertically(three, 2, 3));
    EXPECT_EQ(three, (Bytes{3, 3, 2, 2, 1, 1}));
    Bytes four = {1, 2, 3, 4};
    ASSERT_TRUE(FlipRowsVertically(four, 1, 4));
    EXPECT_EQ(four, (Bytes{4, 3, 2, 1}));
    Bytes one = {7, 8, 9};
    ASSERT_TRUE(FlipRowsVertically(one, 3, 1));
    EXPECT_EQ(one, (Bytes{7, 8, 9}));
}

TEST(RowHelpers, RefuseBuffersThatDoNotHoldThePixels) {
    Bytes small = Counting(11);
    Bytes empty;
    int stride = -1;
    EXPECT_FALSE(SwapRedBlue(small, 2, 2));
    EXPECT_FALSE(SwapRedBlue(empty, 0, 0));
    EXPECT_FALSE(SwapRedBlue(small, -1, 2));
    EXPECT_TRUE(PadRowsToDword(small, 2, 2, stride).empty());
    EXPECT_EQ(stride, 0);
    EXPECT_TRUE(PadRowsToDword(small, 1 << 30, 1 << 30, stride).empty());
    EXPECT_FALSE(FlipRowsVertically(small, 4, 3));
    EXPECT_FALSE(FlipRowsVertically(empty, 1, 1));
    EXPECT_EQ(small, Counting(11));
}

} // namespace
