#include "gif_reader.h"

#include "file_guard.h"
#include "picture_limits.h"
#include "problem_text.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

int GifReadInput(GifFileType* gif, GifByteType* dst, int n) {
    auto* self = static_cast<GifReader*>(gif->UserData);
    if (n <= 0) {
        return 0;
    }
    if (self->m_pFile != nullptr) {
        return static_cast<int>(std::fread(dst, 1, static_cast<std::size_t>(n), self->m_pFile));
    }
    const std::size_t got =
        std::min(static_cast<std::size_t>(n), self->m_bytes.size() - self->m_nPos);
    if (got > 0) {
        std::memcpy(dst, self->m_bytes.data() + self->m_nPos, got);
    }
    self->m_nPos += got;
    return static_cast<int>(got);
}

namespace {

constexpr int kGraphicControl = 0xF9;

// The colour of `index` in `map`, following the rules in the header.
void ColourOf(const ColorMapObject* map, int index, std::uint8_t* out) {
    if (map == nullptr) {
        out[0] = out[1] = out[2] = static_cast<std::uint8_t>(index);
        return;
    }
    if (index < 0 || index >= map->ColorCount || map->Colors == nullptr) {
        out[0] = out[1] = out[2] = 0;
        return;
    }
    const GifColorType& c = map->Colors[index];
    out[0] = c.Red;
    out[1] = c.Green;
    out[2] = c.Blue;
}

} // namespace

GifReader::~GifReader() {
    Close();
}

bool GifReader::Open(const std::string& path) {
    Close();
    m_strStatus.clear();
    Problem refusal;
    m_pFile = OpenRegularStream(path, refusal);
    if (m_pFile == nullptr) {
        m_strStatus = refusal ? ProblemText(refusal).toStdString()
                              : QCoreApplication::translate("Picture",
                                                            "No se puede abrir el archivo GIF:\n%1")
                                    .arg(QString::fromStdString(path))
                                    .toStdString();
        return false;
    }
    return Start();
}

bool GifReader::Open(std::span<const std::uint8_t> bytes) {
    Close();
    m_strStatus.clear();
    m_bytes = bytes;
    m_nPos = 0;
    return Start();
}

bool GifReader::Start() {
    int error = 0;
    m_pGif = DGifOpen(this, GifReadInput, &error);
    if (m_pGif == nullptr) {
        Close();
        m_strStatus =
            QCoreApplication::translate("Picture", "El archivo no es una imagen GIF válida.")
                .toStdString();
        return false;
    }
    const int w = m_pGif->SWidth;
    const int h = m_pGif->SHeight;
    if (w <= 0 || h <= 0) {
        Close();
        m_strStatus =
            QCoreApplication::translate(
                "Picture", "El archivo GIF indica un tamaño de imagen imposible: %1 x %2 píxeles.")
                .arg(w)
                .arg(h)
                .toStdString();
        return false;
    }
    if (!PictureSizeAllowed(w, h)) {
        Close();
        m_strStatus = PictureTooLargeText(w, h);
        return false;
    }
    return true;
}

void GifReader::Close() {
    if (m_pGif != nullptr) {
        int error = 0;
        DGifCloseFile(m_pGif, &error);
        m_pGif = nullptr;
    }
    if (m_pFile != nullptr) {
        std::fclose(m_pFile);
        m_pFile = nullptr;
    }
    m_bytes = {};
    m_nPos = 0;
    m_bEnded = false;
}

int GifReader::ScreenWidth() const {
    return m_pGif != nullptr ? m_pGif->SWidth : 0;
}

int GifReader::ScreenHeight() const {
    return m_pGif != nullptr ? m_pGif->SHeight : 0;
}

int GifReader::Fail(const std::string& why) {
    m_strStatus = why;
    Close();
    return kEnd;
}

int GifReader::ReadNextFrame(std::vector<std::uint8_t>& frame) {
    if (m_pGif == nullptr || m_bEnded) {
        return kEnd;
    }
    const std::size_t w = static_cast<std::size_t>(m_pGif->SWidth);
    const std::size_t h = static_cast<std::size_t>(m_pGif->SHeight);
    frame.resize(w * h * 3);
    std::uint8_t background[3] = {0, 0, 0};
    if (m_pGif->SColorMap != nullptr) {
        ColourOf(m_pGif->SColorMap, m_pGif->SBackGroundColor, background);
    }
    // One row pixel by pixel, then whole rows: a screen can be 16384 wide.
    for (std::size_t x = 0; x < w; ++x) {
        std::memcpy(frame.data() + x * 3, background, 3);
    }
    for (std::size_t y = 1; y < h; ++y) {
        std::memcpy(frame.data() + y * w * 3, frame.data(), w * 3);
    }

    const std::string damaged =
        QCoreApplication::translate("Picture", "El archivo GIF está dañado.").toStdString();
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(m_pGif, &type) == GIF_ERROR) {
            return Fail(damaged);
        }
        if (type == TERMINATE_RECORD_TYPE) {
            // Whatever follows the end record is not read.
            m_bEnded = true;
            return kEnd;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (!ReadImage(frame)) {
                return Fail(damaged);
            }
            return kFrame;
        }
        if (type != EXTENSION_RECORD_TYPE) {
            return Fail(damaged);
        }
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(m_pGif, &code, &block) == GIF_ERROR) {
            return Fail(damaged);
        }
        // block[0] is the block's length: flags at 1, the transparent index at 4.
        if (code == kGraphicControl && block != nullptr && block[0] >= 4) {
            if (block[1] & 1) {
                std::uint8_t c[3];
                ColourOf(m_pGif->SColorMap, block[4], c);
                m_crTransparent = Rgb(c[0], c[1], c[2]);
            } else {
                m_crTransparent = 0;
            }
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(m_pGif, &block) == GIF_ERROR) {
                return Fail(damaged);
            }
        }
    }
}

bool GifReader::ReadImage(std::vector<std::uint8_t>& frame) {
    if (DGifGetImageDesc(m_pGif) == GIF_ERROR) {
        return false;
    }
    const GifImageDesc& desc = m_pGif->Image;
    const int sw = m_pGif->SWidth;
    const int sh = m_pGif->SHeight;
    if (desc.Width <= 0 || desc.Height <= 0) {
        // Nothing to draw, but the image's data blocks must still be passed over.
        int codeSize = 0;
        GifByteType* block = nullptr;
        if (DGifGetCode(m_pGif, &codeSize, &block) == GIF_ERROR) {
            return false;
        }
        while (block != nullptr) {
            if (DGifGetCodeNext(m_pGif, &block) == GIF_ERROR) {
                return false;
            }
        }
        return true;
    }
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : m_pGif->SColorMap;
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));

    auto readLine = [&](int row) {
        if (DGifGetLine(m_pGif, line.data(), desc.Width) == GIF_ERROR) {
            return false;
        }
        const int y = desc.Top + row;
        if (y >= sh || desc.Left >= sw) {
            return true;
        }
        const int visible = std::min(desc.Width, sw - desc.Left);
        std::uint8_t* out =
            frame.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(sw) +
                            static_cast<std::size_t>(desc.Left)) *
                               3;
        for (int x = 0; x < visible; ++x, out += 3) {
            ColourOf(map, line[static_cast<std::size_t>(x)], out);
        }
        return true;
    };

    if (desc.Interlace) {
        static constexpr int kStart[] = {0, 4, 2, 1};
        static constexpr int kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass) {
            for (int row = kStart[pass]; row < desc.Height; row += kStep[pass]) {
                if (!readLine(row)) {
                    return false;
                }
            }
        }
    } else {
        for (int row = 0; row < desc.Height; ++row) {
            if (!readLine(row)) {
                return false;
            }
        }
    }
    return true;
}
