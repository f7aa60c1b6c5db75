// Decodes arbitrary bytes as a GIF picture through the picture object, which
// runs the reader and stacks the frames it returns.
#include "gif_reader.h"
#include "image_bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // A few bytes can ask for a screen of 256 MiB, which is decoded like a small
    // one but a thousand times slower; only the opening of those is fuzzed, so
    // that the run spends its time on the decoding paths.
    GifReader probe;
    if (probe.Open(bytes) && probe.ScreenWidth() * probe.ScreenHeight() > 1024 * 1024) {
        return 0;
    }
    probe.Close();
    CImageBitmap picture;
    const bool loaded = picture.LoadFromMemory(bytes, CImageBitmap::Kind::Gif);
    // A load either gives a whole picture or none, with a reason.
    if (loaded != (picture.m_bLoaded && !picture.Image().isNull()) ||
        (!loaded && picture.ErrorText().isEmpty())) {
        __builtin_trap();
    }
    return 0;
}
