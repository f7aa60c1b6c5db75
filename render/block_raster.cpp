#include "block_raster.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

CBlockRaster::CBlockRaster(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return;
    auto* image = static_cast<QImage*>(device);
    if (image->format() != QImage::Format_RGB32 &&
        image->format() != QImage::Format_ARGB32_Premultiplied)
        return;
    // A shared picture would be copied by bits() and the painter would go on
    // drawing into the old copy.
    if (!image->isDetached() || image->devicePixelRatio() != 1.0 || painter.hasClipping() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return;
    const QTransform t = painter.combinedTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) ||
        t.dy() != std::floor(t.dy()))
        return;
    m_offset = QPoint(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
    m_width = image->width();
    m_height = image->height();
    m_stride = static_cast<std::size_t>(image->bytesPerLine()) / sizeof(QRgb);
    // The painter draws straight into these bytes as well; nothing is buffered
    // between its calls, so both kinds of drawing keep their order.
    m_bits = reinterpret_cast<QRgb*>(image->bits());
}

void CBlockRaster::Polyline(const QPoint* points, int count, QRgb color) {
    for (int i = 0; i + 1 < count; ++i)
        Line(points[i] + m_offset, points[i + 1] + m_offset, color);
}

void CBlockRaster::Line(QPoint a, QPoint b, QRgb color) {
    const std::int64_t dx = std::int64_t{b.x()} - a.x();
    const std::int64_t dy = std::int64_t{b.y()} - a.y();
    const std::int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const std::int64_t steps = std::max(adx, ady);
    if (steps == 0)
        return;
    // Most sides of most blocks run along an axis: a run of one row or column.
    if (dy == 0 || dx == 0) {
        const std::int64_t from = dy == 0 ? a.x() : a.y();
        const std::int64_t to = from + (dy == 0 ? dx : dy);
        // Every pixel from the start up to, not including, the end.
        std::int64_t lo = std::min(from, to + (to < from ? 1 : 0));
        std::int64_t hi = std::max(from, to - (to > from ? 1 : 0));
        if (dy == 0) {
            if (a.y() < 0 || a.y() >= m_height)
                return;
            lo = std::max<std::int64_t>(lo, 0);
            hi = std::min<std::int64_t>(hi, m_width - 1);
            if (lo > hi)
                return;
            QRgb* line = m_bits + static_cast<std::size_t>(a.y()) * m_stride;
            std::fill(line + lo, line + hi + 1, color);
        } else {
            if (a.x() < 0 || a.x() >= m_width)
                return;
            lo = std::max<std::int64_t>(lo, 0);
            hi = std::min<std::int64_t>(hi, m_height - 1);
            for (std::int64_t y = lo; y <= hi; ++y)
                m_bits[static_cast<std::size_t>(y) * m_stride + static_cast<std::size_t>(a.x())] =
                    color;
        }
        return;
    }
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    // Only the steps that can land inside the picture are walked: along the
    // major axis the position is exact, so the range follows from the bounds.
    std::int64_t k0 = 0, k1 = steps - 1;
    auto limit = [&](std::int64_t start, int dir, std::int64_t size) {
        // Steps k with 0 <= start + dir*k < size.
        std::int64_t lo, hi;
        if (dir > 0) {
            lo = -start;
            hi = size - 1 - start;
        } else {
            lo = start - (size - 1);
            hi = start;
        }
        k0 = std::max(k0, lo);
        k1 = std::min(k1, hi);
    };
    if (adx >= ady)
        limit(a.x(), sx, m_width);
    else
        limit(a.y(), sy, m_height);
    if (k0 > k1)
        return;
    // The minor coordinate at step k is round(k * minor / major), halves away
    // from the start point: the quotient of 2 k minor + major by 2 major, kept
    // as a quotient and a remainder that each step moves on without dividing.
    const std::int64_t major = steps, minor = adx >= ady ? ady : adx;
    const std::int64_t den = 2 * major, inc = 2 * minor;
    std::int64_t num = k0 * inc + major;
    std::int64_t m = num / den;
    std::int64_t rem = num - m * den;
    for (std::int64_t k = k0; k <= k1; ++k) {
        if (adx >= ady)
            Plot(static_cast<int>(a.x() + sx * k), static_cast<int>(a.y() + sy * m), color);
        else
            Plot(static_cast<int>(a.x() + sx * m), static_cast<int>(a.y() + sy * k), color);
        rem += inc;
        if (rem >= den) {
            rem -= den;
            ++m;
        }
    }
}

namespace {

// The corners of an axis-aligned rectangle, when the outline is one (a closing
// point repeating the first is allowed): most blocks are.
bool RectangleOf(const QPoint* points, int count, QRect& box) {
    if (count == 5 && points[4] == points[0])
        count = 4;
    if (count != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        const QPoint& p = points[i];
        const QPoint& q = points[(i + 1) % 4];
        if (p.x() != q.x() && p.y() != q.y())
            return false;
    }
    const int minX = std::min({points[0].x(), points[1].x(), points[2].x(), points[3].x()});
    const int maxX = std::max({points[0].x(), points[1].x(), points[2].x(), points[3].x()});
    const int minY = std::min({points[0].y(), points[1].y(), points[2].y(), points[3].y()});
    const int maxY = std::max({points[0].y(), points[1].y(), points[2].y(), points[3].y()});
    // Sides along the axes through four different corners go round a rectangle.
    if (minX == maxX || minY == maxY)
        return false;
    for (int i = 0; i < 4; ++i) {
        const QPoint& p = points[i];
        if ((p.x() != minX && p.x() != maxX) || (p.y() != minY && p.y() != maxY))
            return false;
        for (int j = 0; j < i; ++j)
            if (points[j] == p)
                return false;
    }
    box = QRect(QPoint(minX, minY), QPoint(maxX - 1, maxY - 1));
    return true;
}

} // namespace

void CBlockRaster::FillPolygon(const QPoint* points, int count, QRgb color) {
    if (count < 3)
        return;
    QRect rect;
    if (RectangleOf(points, count, rect)) {
        // Pixel centres inside a rectangle of whole pixels: its left and top
        // columns and rows up to, not including, its right and bottom ones.
        const QRect r = rect.translated(m_offset) & QRect(0, 0, m_width, m_height);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* line = m_bits + static_cast<std::size_t>(y) * m_stride;
            std::fill(line + r.left(), line + r.right() + 1, color);
        }
        return;
    }
    int minY = points[0].y(), maxY = points[0].y();
    for (int i = 1; i < count; ++i) {
        minY = std::min(minY, points[i].y());
        maxY = std::max(maxY, points[i].y());
    }
    // Rows whose centre lies between the extreme vertices, within the picture.
    const int first =
        static_cast<int>(std::max<std::int64_t>(std::int64_t{minY} + m_offset.y(), 0));
    const int last = static_cast<int>(
        std::min<std::int64_t>(std::int64_t{maxY} + m_offset.y() - 1, m_height - 1));
    if (first > last)
        return;
    // Each edge once: the rows it crosses and its slope, so that a row costs a
    // multiplication per edge rather than a division.
    m_edges.clear();
    for (int i = 0; i < count; ++i) {
        const QPoint& p = points[i];
        const QPoint& q = points[(i + 1) % count];
        if (p.y() == q.y())
            continue;
        const std::int64_t lo = std::min(p.y(), q.y()), hi = std::max(p.y(), q.y());
        m_edges.push_back(
            {lo + m_offset.y(), hi + m_offset.y() - 1, static_cast<double>(p.x()),
             static_cast<double>(p.y()),
             (static_cast<double>(q.x()) - p.x()) / (static_cast<double>(q.y()) - p.y())});
    }
    for (int row = first; row <= last; ++row) {
        const double yc = row - m_offset.y() + 0.5;
        m_crossings.clear();
        for (const Edge& e : m_edges)
            if (row >= e.rowFirst && row <= e.rowLast)
                m_crossings.push_back(e.x + (yc - e.y) * e.slope);
        // A handful of crossings: sorting them by insertion is quickest.
        for (std::size_t i = 1; i < m_crossings.size(); ++i)
            for (std::size_t j = i; j > 0 && m_crossings[j] < m_crossings[j - 1]; --j)
                std::swap(m_crossings[j], m_crossings[j - 1]);
        QRgb* line = m_bits + static_cast<std::size_t>(row) * m_stride;
        for (std::size_t i = 0; i + 1 < m_crossings.size(); i += 2) {
            // Pixels whose centre x + 0.5 lies in [left, right).
            const double left = m_crossings[i] + m_offset.x();
            const double right = m_crossings[i + 1] + m_offset.x();
            const int x0 = std::max(0, static_cast<int>(std::ceil(std::max(left - 0.5, -1.0))));
            const double endD = std::min(std::ceil(right - 0.5), static_cast<double>(m_width));
            const int x1 = static_cast<int>(endD);
            if (x1 > x0)
                std::fill(line + x0, line + x1, color);
        }
    }
}
