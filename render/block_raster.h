#pragma once

// Direct drawing of block outlines and fills into a 32-bit picture. A town of a
// hundred thousand blocks shows tens of thousands of small polygons at the
// smallest scale; writing their pixels straight into the frame costs a fraction
// of a general painter call per block. The rules are the desktop's: lines step
// from vertex to vertex without their last pixel, and a fill takes every pixel
// whose centre lies inside the polygon by the alternate (even-odd) rule.

#include <QPoint>
#include <QRgb>
#include <cstdint>
#include <vector>

class QImage;
class QPainter;

class CBlockRaster {
public:
    // A raster over the image `painter` draws on, or an unusable one when the
    // painter does not draw 1:1 into a 32-bit picture (a printer, a scaled view).
    explicit CBlockRaster(QPainter& painter);
    bool IsUsable() const { return m_bits != nullptr; }

    // Lines between consecutive points, the last point itself not drawn.
    void Polyline(const QPoint* points, int count, QRgb color);
    void Point(QPoint p, QRgb color) { Plot(p.x() + m_offset.x(), p.y() + m_offset.y(), color); }
    // The even-odd interior of the closed polygon.
    void FillPolygon(const QPoint* points, int count, QRgb color);

private:
    void Line(QPoint a, QPoint b, QRgb color);
    void Plot(int x, int y, QRgb color) {
        if (x >= 0 && y >= 0 && x < m_width && y < m_height)
            m_bits[static_cast<std::size_t>(y) * m_stride + static_cast<std::size_t>(x)] = color;
    }

    QRgb* m_bits = nullptr;
    std::size_t m_stride = 0; // in pixels
    int m_width = 0;
    int m_height = 0;
    QPoint m_offset; // the painter's translation
    struct Edge {
        std::int64_t rowFirst; // picture rows whose centre line the edge crosses
        std::int64_t rowLast;
        double x; // a vertex of the edge
        double y;
        double slope; // x per unit of y
    };
    std::vector<Edge> m_edges;
    std::vector<double> m_crossings;
};
