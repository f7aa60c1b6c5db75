#pragma once

// What every layer draws with: icons and texts placed in map units, wide lines,
// and the pixel boxes by which a layer tells whether an item can reach the
// pixels being drawn.

#include "geometry.h"
#include "map_transform.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class QPainter;

// COLORREF (0x00BBGGRR) to a Qt colour.
inline QColor ColorFromRef(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff),
                  static_cast<int>((c >> 16) & 0xff));
}

// A font whose cell is `height` map units tall at the transform's zoom.
QFont MapFont(const QString& family, QFont::StyleHint hint, int height, const MapTransform& t,
              bool italic);

// Draws an icon upright into the map-unit rectangle (left, bottom)-(right, top),
// y up, so that it grows with the zoom.
void DrawIcon(QPainter& painter, const MapTransform& t, const QString& name, std::int32_t left,
              std::int32_t bottom, std::int32_t right, std::int32_t top);

// Writes the laid-out text with the top-left of its cell on the anchor, upright
// on screen, turned counter-clockwise by `escapement` tenths of a degree.
void DrawMapText(QPainter& painter, const MapTransform& t, std::int32_t x, std::int32_t y,
                 const QStaticText& layout, const QFont& font, QColor color,
                 std::int32_t escapement = 0, const QColor* background = nullptr);

// A solid geometric pen of the desktop: round ends, round joins.
QPen WidePen(QColor color, int pixels);

// Draws the points as one polyline, with `pixels` as room for their pixels.
void DrawPolyline(QPainter& painter, const MapTransform& t, const std::vector<MapPoint>& points,
                  std::vector<QPoint>& pixels);

// The map rectangle behind a rectangle of client pixels, normalised.
MapRect MapRectOf(const MapTransform& t, const QRect& pixels);

// The pixels a text laid out as `layout` may touch with its cell's top-left
// on the anchor, turned by `escapement`: glyphs reach a little past the cell.
QRect TextBox(const MapTransform& t, std::int32_t x, std::int32_t y, const QStaticText& layout,
              std::int32_t escapement = 0);

// Where a point lands, kept well inside the range of a QRect's coordinates, so
// that boxes of far-away items can be widened without overflowing.
inline QPoint Bounded(QPoint p) {
    constexpr int kFar = 1 << 28;
    return {std::clamp(p.x(), -kFar, kFar), std::clamp(p.y(), -kFar, kFar)};
}

// The pixels of an icon drawn into the map-unit rectangle (left, bottom)-(right, top).
inline QRect IconBox(const MapTransform& t, std::int32_t left, std::int32_t bottom,
                     std::int32_t right, std::int32_t top) {
    return QRect(Bounded(t.ToPixel(left, top)), Bounded(t.ToPixel(right, bottom)));
}

// The pixels a polyline whose points span `box` (edges included), drawn with
// a pen `pen` pixels wide, may touch.
inline QRect LineBox(const MapTransform& t, const MapRect& box, int pen) {
    // y grows upward on the map and downward on the screen.
    const QPoint a = Bounded(t.ToPixel(box.left, box.bottom));
    const QPoint b = Bounded(t.ToPixel(box.right, box.top));
    const int pad = pen / 2 + 2;
    return QRect(a, b).adjusted(-pad, -pad, pad, pad);
}

// `v` moved by `by`, kept within the map's coordinates.
inline std::int32_t Widen(std::int32_t v, std::int64_t by) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{v} + by, INT32_MIN, INT32_MAX));
}

// How far the texts of one font can reach from their anchor, known before any
// text is laid out: no character is wider than the font's widest.
struct TextReach {
    int advance = 0;
    int height = 0;
    explicit TextReach(const QFont& font) {
        const QFontMetrics metrics(font);
        advance = metrics.maxWidth() + 1;
        height = metrics.height() + 2;
    }
    // The widest a text of `utf8` can be: UTF-8 has a byte or more per character.
    int Width(const std::string& utf8) const {
        return static_cast<int>(std::min<std::size_t>(utf8.size(), 4096)) * advance;
    }
    // The pixels an upright text of `utf8` anchored at pixel `a` may touch.
    QRect Around(QPoint a, const std::string& utf8) const {
        return QRect(a.x() - height, a.y() - height, Width(utf8) + 2 * height, 3 * height);
    }
    // Whether such a text, with an icon reaching `icon` around it, may touch `area`.
    bool MayReach(const QRect& area, QPoint a, const std::string& utf8, const QRect& icon) const {
        return Around(a, utf8).intersects(area) || icon.intersects(area);
    }
    // The same for a text turned by any angle.
    bool MayReachTurned(const QRect& area, QPoint a, const std::string& utf8) const {
        const int r = Width(utf8) + 2 * height;
        return QRect(a.x() - r, a.y() - r, 2 * r + 1, 2 * r + 1).intersects(area);
    }
};
