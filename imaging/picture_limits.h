#pragma once

// The largest picture any reader will decode. A damaged or hostile header can
// announce billions of pixels in a few bytes; refusing before allocating keeps
// a bad file from taking the program down.

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::int64_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{256} * 1024 * 1024;

// True when a width x height RGB picture (three bytes a pixel) of `frames`
// stacked frames is within the limits above. Zero or negative sizes are not.
bool PictureSizeAllowed(std::int64_t width, std::int64_t height, std::int64_t frames = 1);

// The text the readers give for a picture refused by PictureSizeAllowed.
std::string PictureTooLargeText(std::int64_t width, std::int64_t height);
