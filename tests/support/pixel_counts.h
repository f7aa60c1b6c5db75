#pragma once

// Counting pixels of a grabbed or drawn picture, to check what a person sees.

#include <QImage>
#include <QRect>

// Pixels of `image` inside `box` that have exactly `color` (0xRRGGBB), and
// those that are not white.
int CountColor(const QImage& image, QRect box, QRgb color);
int CountNonWhite(const QImage& image, QRect box);
