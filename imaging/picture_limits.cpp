#include "picture_limits.h"

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
    return "La imagen mide " + std::to_string(width) + " x " + std::to_string(height) +
           " píxeles: no se puede abrir (el máximo es " + std::to_string(kMaxPictureSide) + " x " +
           std::to_string(kMaxPictureSide) + " píxeles y " +
           std::to_string(kMaxPictureBytes / (1024 * 1024)) + " MiB).";
}
