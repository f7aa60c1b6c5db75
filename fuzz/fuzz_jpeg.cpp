// Decodes arbitrary bytes as a JPEG picture through the picture object, which
// runs the reader and builds the image from what it returns.
#include "image_bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// True when some frame header in the bytes announces more than a million
// pixels. Such a picture decodes like a small one, only a thousand times
// slower (a cut-short file is still decoded whole), so the run skips it and
// spends its time on the decoding paths instead.
bool AnnouncesAHugePicture(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 9 <= size; ++i) {
        const std::uint8_t m = data[i + 1];
        if (data[i] == 0xFF && m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
            const long height = data[i + 5] << 8 | data[i + 6];
            const long width = data[i + 7] << 8 | data[i + 8];
            if (width * height > 1024 * 1024) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (AnnouncesAHugePicture(data, size)) {
        return 0;
    }
    CImageBitmap picture;
    const bool loaded =
        picture.LoadFromMemory(std::span<const std::uint8_t>(data, size), CImageBitmap::Kind::Jpeg);
    // A load either gives a whole picture or none, with a reason.
    if (loaded != (picture.m_bLoaded && !picture.Image().isNull()) ||
        (!loaded && picture.ErrorText().isEmpty())) {
        __builtin_trap();
    }
    return 0;
}
