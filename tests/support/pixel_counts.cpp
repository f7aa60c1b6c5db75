#include "pixel_counts.h"

int CountColor(const QImage& image, QRect box, QRgb color) {
    int n = 0;
    box = box.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == color;
    return n;
}

int CountNonWhite(const QImage& image, QRect box) {
    box = box.intersected(image.rect());
    return box.width() * box.height() - CountColor(image, box, 0xffffff);
}
