#include "overview_picture.h"

#include "jpeg_writer.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

QColor ToQColor(Color c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace

int OverviewHeight(const MapStore& store, int width) {
    const MapRect bounds = store.m_rcBlocks.Normalized();
    const double w = static_cast<double>(std::max<std::int64_t>(bounds.Width(), 1));
    const double h = static_cast<double>(bounds.Height());
    const double height = std::round(width * h / w);
    // Keep degenerate or absurdly tall towns to a picture that can still be made.
    return static_cast<int>(std::clamp(height, 1.0, 16384.0));
}

QImage DrawOverview(const MapStore& store, int width) {
    const MapRect bounds = store.m_rcBlocks.Normalized();
    QImage image(width, OverviewHeight(store, width), QImage::Format_RGB32);
    image.fill(Qt::white);

    const double k = width / static_cast<double>(std::max<std::int64_t>(bounds.Width(), 1));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // y_pix = k |y + T| is -k y - k T for every y up to -T, the whole of a centred town.
    painter.setTransform(QTransform(k, 0, 0, -k, k * bounds.right, -k * bounds.top));
    // Outlines only help while a block is a few pixels wide.
    const bool outline = k * 100 >= 4;
    painter.setPen(outline ? QPen(ToQColor(0xc0c0c0), 0) : QPen(Qt::NoPen));

    QPolygonF polygon;
    for (const CmBlock& block : store.m_blocks) {
        const std::span<const FloatPoint> outline = store.Outline(block);
        if (outline.size() < 3)
            continue;
        polygon.clear();
        for (const FloatPoint& p : outline)
            polygon.append(QPointF(p.x, p.y));
        painter.setBrush(ToQColor(block.m_crFill));
        painter.drawPolygon(polygon, Qt::OddEvenFill);
    }
    painter.end();
    return image;
}

std::vector<std::uint8_t> MakeOverviewJpeg(const MapStore& store, int width, int quality) {
    const QImage image = DrawOverview(store, width).convertToFormat(QImage::Format_RGB888);
    // QImage pads its rows; the encoder wants them packed.
    const auto rowBytes = static_cast<std::size_t>(image.width()) * 3;
    std::vector<std::uint8_t> rgb(rowBytes * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(image.constScanLine(y), rowBytes,
                    rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y));
    return EncodeJpeg(rgb, image.width(), image.height(), quality);
}
