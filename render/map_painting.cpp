#include "map_painting.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace {

// Icons are vector pictures rasterised once per pixel size: at a steady zoom
// every icon of a frame is one blit.
const QImage& Icon(const QString& name, QSize size) {
    static QHash<QString, QImage> cache;
    const QString key = name + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x') +
                        QString::number(size.height());
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > 256)
        cache.clear();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/render/") + name + QStringLiteral(".svg"));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(0, 0, size.width(), size.height()));
    p.end();
    return *cache.insert(key, image);
}

} // namespace

QFont MapFont(const QString& family, QFont::StyleHint hint, int height, const MapTransform& t,
              bool italic) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setItalic(italic);
    font.setWeight(QFont::Normal);
    const double pixels = height * static_cast<double>(t.Scale()) / 10.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}

void DrawIcon(QPainter& painter, const MapTransform& t, const QString& name, std::int32_t left,
              std::int32_t bottom, std::int32_t right, std::int32_t top) {
    const QPoint a = t.ToPixel(left, top);
    const QPoint b = t.ToPixel(right, bottom);
    const QSize size(b.x() - a.x(), b.y() - a.y());
    if (size.width() <= 0 || size.height() <= 0 || size.width() > 4096 || size.height() > 4096)
        return;
    painter.drawImage(a, Icon(name, size));
}

void DrawMapText(QPainter& painter, const MapTransform& t, std::int32_t x, std::int32_t y,
                 const QStaticText& layout, const QFont& font, QColor color,
                 std::int32_t escapement, const QColor* background) {
    const QPoint anchor = t.ToPixel(x, y);
    painter.save();
    painter.translate(anchor);
    if (escapement != 0)
        painter.rotate(-escapement / 10.0);
    if (background)
        painter.fillRect(QRectF(QPointF(0, 0), layout.size()), *background);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawStaticText(QPointF(0, 0), layout);
    painter.restore();
}

QPen WidePen(QColor color, int pixels) {
    return QPen(color, pixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawPolyline(QPainter& painter, const MapTransform& t, const std::vector<MapPoint>& points,
                  std::vector<QPoint>& pixels) {
    pixels.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        pixels[i] = t.ToPixel(points[i]);
    painter.drawPolyline(pixels.data(), static_cast<int>(pixels.size()));
}

MapRect MapRectOf(const MapTransform& t, const QRect& pixels) {
    const MapPoint a = t.ToMap(pixels.topLeft());
    const MapPoint b = t.ToMap(pixels.bottomRight() + QPoint(1, 1));
    return MapRect{a.x, a.y, b.x, b.y}.Normalized();
}

QRect TextBox(const MapTransform& t, std::int32_t x, std::int32_t y, const QStaticText& layout,
              std::int32_t escapement) {
    const QSizeF size = layout.size();
    QRectF box(0, 0, size.width(), size.height());
    if (escapement != 0)
        box = QTransform().rotate(-escapement / 10.0).mapRect(box);
    const int margin = 2 + static_cast<int>(size.height() / 3);
    return box.translated(Bounded(t.ToPixel(x, y)))
        .toAlignedRect()
        .adjusted(-margin, -margin, margin, margin);
}
