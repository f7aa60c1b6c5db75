#include "jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; we
// jump back to the encoder and hand back nothing instead of ending the process.
struct JumpingErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JumpingErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

// Warnings would otherwise go to stderr of whatever program links us.
void IgnoreMessage(j_common_ptr) {}

// Only plain C objects live in this function, so the long jump skips no destructor.
bool Compress(const std::uint8_t* rgb, int width, int height, int quality, unsigned char** out,
              unsigned long* outSize) {
    jpeg_compress_struct cinfo{};
    JumpingErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = JumpOnError;
    err.pub.output_message = IgnoreMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // Optimised Huffman tables stay baseline and make the file noticeably smaller.
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg takes non-const rows but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(rgb + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(std::span<const std::uint8_t> rgb, int width, int height,
                                     int quality) {
    if (width <= 0 || height <= 0 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
        return {};
    const std::uint64_t needed =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 3;
    if (rgb.size() < needed)
        return {};
    quality = quality < 1 ? 1 : (quality > 100 ? 100 : quality);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = Compress(rgb.data(), width, height, quality, &buffer, &size);
    std::vector<std::uint8_t> result;
    if (ok && buffer)
        result.assign(buffer, buffer + size);
    // The memory destination mallocs its buffer, also when compression failed half-way.
    std::free(buffer);
    return result;
}
