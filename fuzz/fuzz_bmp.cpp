// Decodes arbitrary bytes as a BMP picture through the picture object,
// which runs the reader and builds the image from what it returns.
#include "image_bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CImageBitmap picture;
    const bool loaded =
        picture.LoadFromMemory(std::span<const std::uint8_t>(data, size), CImageBitmap::Kind::Bmp);
    // A load either gives a whole picture or none, with a reason.
    if (loaded != (picture.m_bLoaded && !picture.Image().isNull()) ||
        (!loaded && picture.ErrorText().isEmpty())) {
        __builtin_trap();
    }
    return 0;
}
