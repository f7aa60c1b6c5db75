#include "row_helpers.h"

#include <algorithm>
#include <cstring>

namespace {

bool Covers(std::size_t size, int a, int b, int c) {
    if (size == 0 || a <= 0 || b <= 0 || c <= 0) {
        return false;
    }
    const auto needed = static_cast<unsigned long long>(a) * static_cast<unsigned long long>(b) *
                        static_cast<unsigned long long>(c);
    return needed <= size;
}

} // namespace

bool SwapRedBlue(std::span<std::uint8_t> buffer, int width, int height) {
    if (!Covers(buffer.size(), width, height, 3)) {
        return false;
    }
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::uint8_t* p = buffer.data();
    for (std::size_t i = 0; i < pixels; ++i, p += 3) {
        std::swap(p[0], p[2]);
    }
    return true;
}

std::vector<std::uint8_t> PadRowsToDword(std::span<const std::uint8_t> buffer, int width,
                                         int height, int& stride) {
    stride = 0;
    if (!Covers(buffer.size(), width, height, 3)) {
        return {};
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    const std::size_t padded = (static_cast<std::size_t>(width) * 24 + 31) / 32 * 4;
    std::vector<std::uint8_t> out(padded * static_cast<std::size_t>(height));
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
        std::memcpy(out.data() + row * padded, buffer.data() + row * rowBytes, rowBytes);
    }
    stride = static_cast<int>(padded);
    return out;
}

bool FlipRowsVertically(std::span<std::uint8_t> buffer, int rowBytes, int height) {
    if (!Covers(buffer.size(), rowBytes, height, 1)) {
        return false;
    }
    const std::size_t len = static_cast<std::size_t>(rowBytes);
    for (std::size_t top = 0, bottom = static_cast<std::size_t>(height) - 1; top < bottom;
         ++top, --bottom) {
        std::swap_ranges(buffer.begin() + static_cast<std::ptrdiff_t>(top * len),
                         buffer.begin() + static_cast<std::ptrdiff_t>((top + 1) * len),
                         buffer.begin() + static_cast<std::ptrdiff_t>(bottom * len));
    }
    return true;
}
