#include "image_bitmap.h"

#include "bmp_reader.h"
#include "gif_reader.h"
#include "jpeg_file.h"
#include "picture_limits.h"
#include "row_helpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>

#include <cstring>
#include <memory>
#include <new>

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

std::optional<CImageBitmap::Kind> CImageBitmap::KindFromPath(const QString& path) {
    const QString ext = path.right(3).toLower();
    if (ext == QLatin1String("jpg")) {
        return Kind::Jpeg;
    }
    if (ext == QLatin1String("bmp")) {
        return Kind::Bmp;
    }
    if (ext == QLatin1String("gif")) {
        return Kind::Gif;
    }
    return std::nullopt;
}

void CImageBitmap::Clear() {
    m_image = QImage();
    m_bLoaded = false;
    m_nWidth = 0;
    m_nHeight = 0;
    m_nFrames = 0;
    m_crTransparent = 0;
    m_strError.clear();
    m_bErrorForUser = false;
}

bool CImageBitmap::Fail(const QString& why, bool forUser) {
    Clear();
    m_strError = why;
    m_bErrorForUser = forUser;
    return false;
}

bool CImageBitmap::LoadFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        m_strError = QCoreApplication::translate("Picture", "No existe el archivo %1").arg(path);
        m_bErrorForUser = false;
        return false;
    }
    Clear();
    const auto kind = KindFromPath(path);
    if (!kind) {
        return Fail(QCoreApplication::translate("Picture", "No se abren imágenes de este tipo: %1")
                        .arg(path),
                    false);
    }
    return Load(*kind, Source{path, {}, false});
}

bool CImageBitmap::LoadFromMemory(std::span<const std::uint8_t> bytes, Kind kind) {
    Clear();
    return Load(kind, Source{{}, bytes, true});
}

bool CImageBitmap::Load(Kind kind, const Source& source) {
    switch (kind) {
    case Kind::Jpeg:
        return LoadJpeg(source);
    case Kind::Bmp:
        return LoadBmp(source);
    case Kind::Gif:
        return LoadGif(source);
    }
    return false;
}

bool CImageBitmap::TakeRgb(std::vector<std::uint8_t> rgb, int width, int height) {
    int stride = 0;
    std::vector<std::uint8_t> padded;
    try {
        padded = PadRowsToDword(rgb, width, height, stride);
    } catch (const std::bad_alloc&) {
        return Fail(
            QCoreApplication::translate("Picture", "No hay memoria suficiente para la imagen."));
    }
    rgb = {};
    if (padded.empty()) {
        return Fail(
            QCoreApplication::translate("Picture", "No hay memoria suficiente para la imagen."));
    }
    // The image adopts the padded rows instead of copying them once more.
    auto owned = std::make_unique<std::vector<std::uint8_t>>(std::move(padded));
    QImage image(
        owned->data(), width, height, stride, QImage::Format_RGB888,
        [](void* p) { delete static_cast<std::vector<std::uint8_t>*>(p); }, owned.get());
    if (image.isNull()) {
        return Fail(
            QCoreApplication::translate("Picture", "No hay memoria suficiente para la imagen."));
    }
    owned.release(); // the image's cleanup function deletes it now
    m_image = std::move(image);
    m_nWidth = width;
    m_nHeight = height;
    m_nFrames = 1;
    m_bLoaded = true;
    m_strError.clear();
    m_bErrorForUser = false;
    return true;
}

bool CImageBitmap::LoadJpeg(const Source& source) {
    int width = 0;
    int height = 0;
    std::string status;
    auto rgb = source.inMemory ? ReadJpegToRgb(source.bytes, width, height, status)
                               : ReadJpegToRgb(LocalPath(source.path), width, height, status);
    if (rgb.empty()) {
        return Fail(QString::fromStdString(status));
    }
    return TakeRgb(std::move(rgb), width, height);
}

bool CImageBitmap::LoadBmp(const Source& source) {
    int width = 0;
    int height = 0;
    BmpReader reader;
    auto rgb = source.inMemory ? reader.ReadBmpToRgb(source.bytes, width, height)
                               : reader.ReadBmpToRgb(LocalPath(source.path), width, height);
    if (rgb.empty() || reader.m_strStatus != "OK") {
        return Fail(QString::fromStdString(reader.m_strStatus));
    }
    return TakeRgb(std::move(rgb), width, height);
}

bool CImageBitmap::LoadGif(const Source& source) {
    GifReader reader;
    const bool opened =
        source.inMemory ? reader.Open(source.bytes) : reader.Open(LocalPath(source.path));
    if (!opened) {
        return Fail(QString::fromStdString(reader.m_strStatus));
    }
    const int width = reader.ScreenWidth();
    const int height = reader.ScreenHeight();
    // Each frame is kept whole until the last is read, then copied once into
    // the stacked image.
    std::vector<std::vector<std::uint8_t>> frames;
    std::vector<std::uint8_t> frame;
    try {
        while (reader.ReadNextFrame(frame) == GifReader::kFrame) {
            const auto count = static_cast<std::int64_t>(frames.size()) + 1;
            if (!PictureSizeAllowed(width, height, count)) {
                return Fail(QCoreApplication::translate(
                                "Picture", "El GIF tiene demasiadas imágenes: con %1 ya pasa de "
                                           "%2 MiB.")
                                .arg(count)
                                .arg(kMaxPictureBytes / (1024 * 1024)));
            }
            frames.push_back(std::move(frame));
            frame = {};
        }
    } catch (const std::bad_alloc&) {
        return Fail(
            QCoreApplication::translate("Picture", "No hay memoria suficiente para la imagen."));
    }
    // A damaged image ends the frames; those read before it are kept. A file
    // that is damaged before its first image shows nothing and says so.
    if (frames.empty() && !reader.m_strStatus.empty()) {
        return Fail(QString::fromStdString(reader.m_strStatus));
    }
    const int count = static_cast<int>(frames.size());
    if (frames.empty()) {
        // No image at all: one frame of the background colour, which the
        // reader has just painted.
        frames.push_back(std::move(frame));
    }
    const Color transparent = reader.m_crTransparent;
    reader.Close();

    QImage stacked(width, height * static_cast<int>(frames.size()), QImage::Format_RGB888);
    if (stacked.isNull()) {
        return Fail(
            QCoreApplication::translate("Picture", "No hay memoria suficiente para la imagen."));
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    int y = 0;
    for (const auto& f : frames) {
        for (int row = 0; row < height; ++row, ++y) {
            std::memcpy(stacked.scanLine(y), f.data() + static_cast<std::size_t>(row) * rowBytes,
                        rowBytes);
        }
    }
    m_image = std::move(stacked);
    m_nWidth = width;
    m_nHeight = height;
    m_nFrames = count;
    m_bLoaded = true;
    m_crTransparent = transparent;
    return true;
}

void CImageBitmap::CaptureFromDC(const QPixmap& screen, const QRect& rect) {
    Clear();
    if (screen.isNull() || rect.isEmpty()) {
        m_strError = QCoreApplication::translate("Picture", "No hay nada que capturar.");
        m_bErrorForUser = false;
        return;
    }
    m_image = screen.copy(rect).toImage();
    if (m_image.isNull()) {
        m_strError = QCoreApplication::translate("Picture", "No se pudo capturar la ventana.");
        m_bErrorForUser = false;
        return;
    }
    m_bLoaded = true;
    m_nWidth = rect.width();
    m_nHeight = rect.height();
    m_nFrames = 1;
}
