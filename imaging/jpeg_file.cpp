#include "jpeg_file.h"

#include "file_guard.h"
#include "picture_limits.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QString>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace {

// A progressive file may hold any number of scans, each of which makes the
// library walk the whole coefficient buffer; real encoders write a dozen.
constexpr int kMaxScans = 1000;

struct ErrorRecord {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

struct ProgressRecord {
    jpeg_progress_mgr mgr;
    j_decompress_ptr cinfo;
};

[[noreturn]] void ExitToRecoveryPoint(j_common_ptr cinfo) {
    auto* record = reinterpret_cast<ErrorRecord*>(cinfo->err);
    std::longjmp(record->jump, 1);
}

// Warnings (a premature end of data, say) still give a picture; nobody reads
// the library's text for them, so it is not printed either.
void KeepQuiet(j_common_ptr) {}

void CountScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        // Leave through the error exit, as the library's own fatal errors do.
        cinfo->err->error_exit(cinfo);
    }
}

// CMYK as libjpeg hands it over. Files with an Adobe marker (what nearly every
// encoder writes) store the inks inverted: 255 means no ink.
void CmykRowToRgb(const JSAMPLE* in, std::uint8_t* out, unsigned width, bool inverted) {
    for (unsigned x = 0; x < width; ++x, in += 4, out += 3) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<std::uint8_t>((c * k + 127) / 255);
        out[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        out[2] = static_cast<std::uint8_t>((y * k + 127) / 255);
    }
}

enum class Outcome { Ok, Damaged, TooLarge, OutOfMemory };

// Runs the library over an already attached source. Only trivially
// destructible objects live in this frame, so the jump back from the error
// exit skips no destructor; the pixels go to `rgb`, which lives in the caller.
Outcome Decode(jpeg_decompress_struct& cinfo, ErrorRecord& err, std::vector<std::uint8_t>& rgb,
               int& width, int& height, unsigned& refusedWidth, unsigned& refusedHeight) {
    if (setjmp(err.jump)) {
        return Outcome::Damaged;
    }
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_YCCK || cinfo.jpeg_color_space == JCS_CMYK) {
        cinfo.out_color_space = JCS_CMYK;
    }
    if (!PictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
        refusedWidth = cinfo.image_width;
        refusedHeight = cinfo.image_height;
        return Outcome::TooLarge;
    }
    jpeg_start_decompress(&cinfo);

    const unsigned w = cinfo.output_width;
    const unsigned h = cinfo.output_height;
    const int components = cinfo.out_color_components;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK && components == 4;
    try {
        rgb.assign(static_cast<std::size_t>(w) * h * 3, 0);
    } catch (const std::bad_alloc&) {
        return Outcome::OutOfMemory;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                w * components, 1);
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < h) {
        jpeg_read_scanlines(&cinfo, row, 1);
        std::uint8_t* out =
            rgb.data() + static_cast<std::size_t>(cinfo.output_scanline - 1) * w * 3;
        const JSAMPLE* in = row[0];
        if (components == 3) {
            std::memcpy(out, in, static_cast<std::size_t>(w) * 3);
        } else if (components == 1) {
            for (unsigned x = 0; x < w; ++x, out += 3) {
                out[0] = out[1] = out[2] = in[x];
            }
        } else if (cmyk) {
            CmykRowToRgb(in, out, w, inverted);
        }
        // Any other layout (an unknown colour space) has no meaning as colour:
        // its rows stay black.
    }
    jpeg_finish_decompress(&cinfo);
    return Outcome::Ok;
}

// `attach` hands the source to the library; it runs after jpeg_create_decompress.
template <typename Attach>
std::vector<std::uint8_t> Read(Attach attach, int& width, int& height, std::string& status) {
    jpeg_decompress_struct cinfo{};
    ErrorRecord err{};
    ProgressRecord progress{};
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = ExitToRecoveryPoint;
    err.mgr.output_message = KeepQuiet;
    std::vector<std::uint8_t> rgb;
    unsigned refusedWidth = 0;
    unsigned refusedHeight = 0;

    Outcome outcome = Outcome::Damaged;
    if (setjmp(err.jump) == 0) {
        jpeg_create_decompress(&cinfo);
        progress.mgr.progress_monitor = CountScans;
        progress.cinfo = &cinfo;
        cinfo.progress = &progress.mgr;
        attach(cinfo);
        outcome = Decode(cinfo, err, rgb, width, height, refusedWidth, refusedHeight);
    }
    jpeg_destroy_decompress(&cinfo);

    switch (outcome) {
    case Outcome::Ok:
        status.clear();
        return rgb;
    case Outcome::Damaged:
        status = QCoreApplication::translate("Picture",
                                             "El archivo JPEG está dañado o no es una imagen JPEG.")
                     .toStdString();
        break;
    case Outcome::TooLarge:
        status = PictureTooLargeText(refusedWidth, refusedHeight);
        break;
    case Outcome::OutOfMemory:
        status = "JpegFile :\nOut of memory";
        break;
    }
    return {};
}

} // namespace

std::vector<std::uint8_t> ReadJpegToRgb(const std::string& path, int& width, int& height,
                                        std::string& status) {
    width = 0;
    height = 0;
    Problem refusal;
    std::FILE* file = OpenRegularStream(path, refusal);
    if (file == nullptr) {
        status = refusal ? ProblemText(refusal).toStdString() : "JPEG :\nCan't open " + path + "\n";
        return {};
    }
    auto rgb = Read([file](jpeg_decompress_struct& cinfo) { jpeg_stdio_src(&cinfo, file); }, width,
                    height, status);
    std::fclose(file);
    return rgb;
}

std::vector<std::uint8_t> ReadJpegToRgb(std::span<const std::uint8_t> bytes, int& width,
                                        int& height, std::string& status) {
    width = 0;
    height = 0;
    return Read(
        [bytes](jpeg_decompress_struct& cinfo) {
            jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
        },
        width, height, status);
}
