#include "picture_limits.h"

#include <QCoreApplication>
#include <QString>

bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t frames) {
    if (width <= 0 || height <= 0 || frames <= 0) {
        return false;
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        return false;
    }
    // Both sides are at most 2^14 here, so the product cannot overflow.
    const std::int64_t frameBytes = width * height * 3;
    return frameBytes <= kMaxPictureBytes / frames;
}

std::string PictureTooLargeText(std::int64_t width, std::int64_t height) {
    return QCoreApplication::translate("Picture", "La imagen mide %1 x %2 píxeles: no se puede "
                                                  "abrir (el máximo es %3 x %3 píxeles y %4 MiB).")
        .arg(width)
        .arg(height)
        .arg(kMaxPictureSide)
        .arg(kMaxPictureBytes / (1024 * 1024))
        .toStdString();
}
