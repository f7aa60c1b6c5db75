#include "map_renderer.h"

#include "block_raster.h"

#include "map_store.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPen>
#include <QStaticText>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>

namespace {

constexpr std::uint32_t kBasePenColor = 0xc0c0c0;
constexpr std::uint32_t kBandPenColor = 0x0000ff;
constexpr std::uint32_t kGreyStreetColor = 0x808080;
// Station names are written black on the background colour a fresh device
// context starts with, white.
constexpr std::uint32_t kStationTextColor = 0x000000;
constexpr std::uint32_t kStationBackColor = 0xffffff;

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

// Draws an icon upright into the map-unit rectangle (left, bottom)-(right, top),
// y up, so that it grows with the zoom.
void DrawIcon(QPainter& painter, const MapTransform& t, const QString& name, std::int32_t left,
              std::int32_t bottom, std::int32_t right, std::int32_t top) {
    const QPoint a = t.ToPixel(left, top);
    const QPoint b = t.ToPixel(right, bottom);
    const QSize size(b.x() - a.x(), b.y() - a.y());
    if (size.width() <= 0 || size.height() <= 0 || size.width() > 4096 || size.height() > 4096)
        return;
    painter.drawImage(a, Icon(name, size));
}

// A font whose cell is `height` map units tall at the current zoom.
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

// Where a point lands, kept well inside the range of a QRect's coordinates, so
// that boxes of far-away items can be widened without overflowing.
QPoint Bounded(QPoint p) {
    constexpr int kFar = 1 << 28;
    return {std::clamp(p.x(), -kFar, kFar), std::clamp(p.y(), -kFar, kFar)};
}

// The pixels of an icon drawn into the map-unit rectangle (left, bottom)-(right, top).
QRect IconBox(const MapTransform& t, std::int32_t left, std::int32_t bottom, std::int32_t right,
              std::int32_t top) {
    return QRect(Bounded(t.ToPixel(left, top)), Bounded(t.ToPixel(right, bottom)));
}

// The pixels a text laid out as `layout` may touch with its cell's top-left
// on the anchor, turned by `escapement`: glyphs reach a little past the cell.
QRect TextBox(const MapTransform& t, std::int32_t x, std::int32_t y, const QStaticText& layout,
              std::int32_t escapement = 0) {
    const QSizeF size = layout.size();
    QRectF box(0, 0, size.width(), size.height());
    if (escapement != 0)
        box = QTransform().rotate(-escapement / 10.0).mapRect(box);
    const int margin = 2 + static_cast<int>(size.height() / 3);
    return box.translated(Bounded(t.ToPixel(x, y)))
        .toAlignedRect()
        .adjusted(-margin, -margin, margin, margin);
}

// The pixels a polyline whose points span `box` (edges included), drawn with
// a pen `pen` pixels wide, may touch.
QRect LineBox(const MapTransform& t, const MapRect& box, int pen) {
    // y grows upward on the map and downward on the screen.
    const QPoint a = Bounded(t.ToPixel(box.left, box.bottom));
    const QPoint b = Bounded(t.ToPixel(box.right, box.top));
    const int pad = pen / 2 + 2;
    return QRect(a, b).adjusted(-pad, -pad, pad, pad);
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
    // Whether an upright text of `utf8` anchored at pixel `a`, with an icon
    // reaching `icon` around it, may touch `area`. UTF-8 has a byte or more per
    // character.
    bool MayReach(const QRect& area, QPoint a, const std::string& utf8, const QRect& icon) const {
        const int width = static_cast<int>(std::min<std::size_t>(utf8.size(), 4096)) * advance;
        const QRect text(a.x() - height, a.y() - height, width + 2 * height, 3 * height);
        return text.intersects(area) || icon.intersects(area);
    }
    // The same for a text turned by any angle.
    bool MayReachTurned(const QRect& area, QPoint a, const std::string& utf8) const {
        const int r =
            static_cast<int>(std::min<std::size_t>(utf8.size(), 4096)) * advance + 2 * height;
        return QRect(a.x() - r, a.y() - r, 2 * r + 1, 2 * r + 1).intersects(area);
    }
};

// Writes the laid-out text with the top-left of its cell on the anchor, upright
// on screen, turned counter-clockwise by `escapement` tenths of a degree.
void DrawMapText(QPainter& painter, const MapTransform& t, std::int32_t x, std::int32_t y,
                 const QStaticText& layout, const QFont& font, QColor color,
                 std::int32_t escapement = 0, const QColor* background = nullptr) {
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

void DrawPolyline(QPainter& painter, const MapTransform& t, const std::vector<MapPoint>& points,
                  std::vector<QPoint>& pixels) {
    pixels.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        pixels[i] = t.ToPixel(points[i]);
    painter.drawPolyline(pixels.data(), static_cast<int>(pixels.size()));
}

QPen WidePen(QColor color, int pixels) {
    // A solid geometric pen of the desktop: round ends, round joins.
    QPen pen(color, pixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

// The map rectangle behind a rectangle of client pixels, normalised.
MapRect MapRectOf(const MapTransform& t, const QRect& pixels) {
    const MapPoint a = t.ToMap(pixels.topLeft());
    const MapPoint b = t.ToMap(pixels.bottomRight() + QPoint(1, 1));
    return MapRect{a.x, a.y, b.x, b.y}.Normalized();
}

std::int32_t Widen(std::int32_t v, std::int64_t by) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{v} + by, INT32_MIN, INT32_MAX));
}

// Moves every pixel of `image` by `d`; what is uncovered keeps old pixels.
void ScrollPixels(QImage& image, QPoint d) {
    const int w = image.width(), h = image.height();
    const int dx = d.x(), dy = d.y();
    const int width = w - std::abs(dx);
    if (width <= 0 || std::abs(dy) >= h)
        return;
    const int from = std::max(0, -dx), to = std::max(0, dx);
    const std::size_t bytes = static_cast<std::size_t>(width) * 4;
    auto move = [&](int y) {
        std::memmove(image.scanLine(y + dy) + 4 * to, image.constScanLine(y) + 4 * from, bytes);
    };
    // Rows go in the order that never overwrites one still to be moved.
    if (dy > 0) {
        for (int y = h - 1 - dy; y >= 0; --y)
            move(y);
    } else {
        for (int y = -dy; y < h; ++y)
            move(y);
    }
}

} // namespace

QColor ColorFromRef(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff),
                  static_cast<int>((c >> 16) & 0xff));
}

LayerSwitches LayerSwitches::All() {
    return {true, true, true, true, true, true, true};
}

// What one drawing of the layers is for: the whole view, by whose rectangle
// the items placed by a point are shown or not, and the pixels to be drawn.
struct CMapRenderer::Frame {
    const MapTransform& t;
    MapRect visible;
    QRect area;
    MapRect areaMap; // the map units behind the area
    bool cull = true;
    bool whole = true; // the area is the whole client
    // Draws one-pixel lines where the painter allows it: a painter clips a
    // line before stepping along it, so where it is cut decides which pixels
    // a diagonal takes, and a part of a frame would not match the whole.
    CBlockRaster* raster = nullptr;
    // How far station names reach, once the routes are drawn.
    mutable std::optional<TextReach> stationReach;
    // Items placed in view are drawn whole in a whole frame; for a part of it,
    // only those whose pixels reach that part.
    bool Partial() const { return cull && !whole; }
};

TextStyle CMapRenderer::Style(const QFont& font) {
    return TextStyle{font, &m_textLayouts[font.key()]};
}

const QStaticText& CMapRenderer::Layout(const TextStyle& style, const std::string& utf8) {
    auto it = style.layouts->find(utf8);
    if (it == style.layouts->end()) {
        if (style.layouts->size() > 50000)
            style.layouts->clear();
        QStaticText layout(QString::fromStdString(utf8));
        layout.setTextFormat(Qt::PlainText);
        layout.setPerformanceHint(QStaticText::AggressiveCaching);
        layout.prepare(QTransform(), style.font);
        it = style.layouts->emplace(utf8, std::move(layout)).first;
    }
    return it->second;
}

template <typename T, typename Fn>
void CMapRenderer::ForEach(const std::vector<std::unique_ptr<T>>& list,
                           const std::vector<const T*>& inView, Fn&& fn) const {
    // A pan step found the ones in view once for all its parts.
    if (m_bBatch) {
        for (const T* item : inView)
            fn(*item);
    } else {
        for (const auto& item : list)
            fn(*item);
    }
}

void CMapRenderer::BeginBatch() {
    m_lineBoxes.clear();
    m_stationBoxes.clear();
    m_bBatch = true;
}

MapRect CMapRenderer::PointsBox(const CmCalles& line) {
    if (m_bBatch) {
        const auto it = m_lineBoxes.find(&line);
        if (it != m_lineBoxes.end())
            return it->second;
    }
    MapRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const MapPoint& p : line.m_points) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.top = std::min(box.top, p.y);
        box.bottom = std::max(box.bottom, p.y);
    }
    if (m_bBatch)
        m_lineBoxes.emplace(&line, box);
    return box;
}

void CMapRenderer::IndexBlocks(const MapStore& store) {
    m_index.Build(store);
}

void CMapRenderer::EnsureIndex(const MapStore& store) {
    if (!m_index.Matches(store))
        m_index.Build(store);
}

std::int64_t CMapRenderer::HitBlock(const MapStore& store, MapPoint p) {
    EnsureIndex(store);
    return m_index.Hit(store, p);
}

void CMapRenderer::DrawBlocks(QPainter& painter, const MapStore& store, const Frame& f,
                              bool fillAll) {
    const MapTransform& t = f.t;
    if (f.cull) {
        // A block is drawn when its box meets the area, a pixel's worth of map
        // units around it included, so that no outline on the border is lost.
        const std::int32_t margin = std::max(1, static_cast<int>(std::ceil(10.0 / t.Scale())) + 1);
        const MapRect query{Widen(f.areaMap.left, -margin), Widen(f.areaMap.top, -margin),
                            Widen(f.areaMap.right, margin), Widen(f.areaMap.bottom, margin)};
        m_index.Query(query, m_visible);
    } else {
        m_visible.resize(store.m_blocks.size());
        for (std::size_t i = 0; i < m_visible.size(); ++i)
            m_visible[i] = static_cast<std::uint32_t>(i);
    }

    CBlockRaster& raster = *f.raster;
    const QRgb outline = ColorFromRef(kBasePenColor).rgb();
    // A polyline never fills, so the brush can stay between blocks; only the pen
    // goes off for each fill and back on for each outline.
    QPen basePen(ColorFromRef(kBasePenColor), 0);
    basePen.setCapStyle(Qt::FlatCap); // the last pixel of a line is not drawn
    const QPen noPen(Qt::NoPen);
    painter.setPen(basePen);
    bool penIsBase = true;
    Color brushColor = 0;
    bool brushSet = false;

    for (std::uint32_t i : m_visible) {
        const CmBlock& block = store.m_blocks[i];
        const std::span<const FloatPoint> points = store.Outline(block);
        const std::size_t n = points.size();
        if (n < 2)
            continue;
        m_pixels.resize(n);
        bool degenerate = true;
        for (std::size_t k = 0; k < n; ++k) {
            const FloatPoint& fp = points[k];
            m_pixels[k] = t.ToPixel(TruncToInt(fp.x), TruncToInt(fp.y));
            degenerate = degenerate && m_pixels[k] == m_pixels[0];
        }
        // Every vertex on one pixel: lines of no length and a region of no area
        // leave the picture as it was.
        if (degenerate)
            continue;
        const int count = static_cast<int>(n);
        const bool fill = n >= 3 && block.NeedsFill(fillAll);
        if (raster.IsUsable()) {
            raster.Polyline(m_pixels.data(), count, outline);
            if (fill)
                raster.FillPolygon(m_pixels.data(), count, ColorFromRef(block.FillColor()).rgb());
            continue;
        }
        if (!penIsBase) {
            painter.setPen(basePen);
            penIsBase = true;
        }
        painter.drawPolyline(m_pixels.data(), count);
        if (fill) {
            const Color c = block.FillColor();
            if (!brushSet || c != brushColor) {
                painter.setBrush(QBrush(ColorFromRef(c)));
                brushColor = c;
                brushSet = true;
            }
            painter.setPen(noPen);
            penIsBase = false;
            painter.drawPolygon(m_pixels.data(), count, Qt::OddEvenFill);
        }
    }
    painter.setPen(basePen);
    painter.setBrush(Qt::NoBrush);
}

void CMapRenderer::DrawPlaces(QPainter& painter, const MapStore& store, const Frame& f,
                              const LayerSwitches& layers) {
    const MapTransform& t = f.t;
    if (layers.m_bShowReferences && !store.m_listReferences.empty()) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, t, false));
        const TextReach reach(font.font);
        ForEach(store.m_listReferences, m_batchReferences, [&](const CmRefe& ref) {
            const std::int32_t x = ref.m_x, y = ref.m_y;
            if (!f.visible.Contains(x, y))
                return;
            if (f.Partial() && !reach.MayReach(f.area, Bounded(t.ToPixel(x, y)), ref.m_strName,
                                               IconBox(t, x - 8, y, x + 8, y + 32)))
                return;
            const QStaticText* layout =
                ref.m_strName.empty() ? nullptr : &Layout(font, ref.m_strName);
            if (f.Partial() && !(IconBox(t, x - 8, y, x + 8, y + 32) |
                                 (layout ? TextBox(t, x, y, *layout) : QRect()))
                                    .intersects(f.area))
                return;
            DrawIcon(painter, t,
                     ref.m_bHighlight ? QStringLiteral("pin_highlight") : QStringLiteral("pin"),
                     x - 8, y, x + 8, y + 32);
            if (layout)
                DrawMapText(
                    painter, t, x, y, *layout, font.font,
                    ColorFromRef(ref.m_bHighlight ? CmRefe::kHighlightColor : CmRefe::kTextColor));
        });
    }
    if (layers.m_bShowColonies && !store.m_listColonies.empty()) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, t, false));
        const TextReach reach(font.font);
        ForEach(store.m_listColonies, m_batchColonies, [&](const CmColonias& col) {
            if (!f.visible.Contains(col.m_x, col.m_y) || col.m_strName.empty())
                return;
            if (f.Partial() && !reach.MayReach(f.area, Bounded(t.ToPixel(col.m_x, col.m_y)),
                                               col.m_strName, QRect()))
                return;
            const QStaticText& layout = Layout(font, col.m_strName);
            if (f.Partial() && !TextBox(t, col.m_x, col.m_y, layout).intersects(f.area))
                return;
            DrawMapText(painter, t, col.m_x, col.m_y, layout, font.font,
                        ColorFromRef(col.m_bHighlight ? CmColonias::kHighlightColor
                                                      : CmColonias::kTextColor));
        });
    }
}

void CMapRenderer::DrawLabels(QPainter& painter, const MapStore& store, const Frame& f) {
    const MapTransform& t = f.t;
    const TextStyle font = Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif,
                                         CmStname::FontHeight(t.Scale()), t, false));
    const std::vector<CmStname>& labels = store.m_labels;
    // Labels only show close up, where the view holds a few of a town's many.
    if (f.cull) {
        if (!m_labelIndex.Matches(labels.data(), labels.size())) {
            std::vector<MapPoint> anchors;
            anchors.reserve(labels.size());
            for (const CmStname& label : labels)
                anchors.push_back({label.m_x, label.m_y});
            m_labelIndex.Build(anchors, labels.data(), labels.size());
        }
        m_labelIndex.Query(f.visible, m_visible);
    } else {
        m_visible.resize(labels.size());
        for (std::size_t i = 0; i < m_visible.size(); ++i)
            m_visible[i] = static_cast<std::uint32_t>(i);
    }
    const TextReach reach(font.font);
    for (std::uint32_t i : m_visible) {
        const CmStname& label = labels[i];
        if (!f.visible.Contains(label.m_x, label.m_y) || label.m_strText.empty())
            continue;
        if (f.Partial() && !reach.MayReachTurned(f.area, Bounded(t.ToPixel(label.m_x, label.m_y)),
                                                 label.m_strText))
            continue;
        const QStaticText& layout = Layout(font, label.m_strText);
        const std::int32_t escapement = label.Escapement();
        if (f.Partial() && !TextBox(t, label.m_x, label.m_y, layout, escapement).intersects(f.area))
            continue;
        DrawMapText(painter, t, label.m_x, label.m_y, layout, font.font,
                    ColorFromRef(label.m_crColor), escapement);
    }
}

void CMapRenderer::DrawStreet(QPainter& painter, const Frame& f, const CmCalles& street,
                              bool showLayer) {
    if (street.m_points.size() < 2 || !(street.m_bShow || showLayer))
        return;
    const int pen = f.t.LengthToPixels(1.0);
    if (f.cull && !LineBox(f.t, PointsBox(street), pen).intersects(f.area))
        return;
    const QColor color = ColorFromRef(street.m_bShow ? street.m_crColor : kGreyStreetColor);
    DrawLine(painter, f, street.m_points, color, pen);
}

void CMapRenderer::DrawLine(QPainter& painter, const Frame& f, const std::vector<MapPoint>& points,
                            QColor color, int pen) {
    if (pen == 1 && f.raster && f.raster->IsUsable()) {
        m_pixels.resize(points.size());
        for (std::size_t i = 0; i < points.size(); ++i)
            m_pixels[i] = f.t.ToPixel(points[i]);
        // A round end takes the last pixel too.
        f.raster->Polyline(m_pixels.data(), static_cast<int>(m_pixels.size()), color.rgb());
        f.raster->Point(m_pixels.back(), color.rgb());
        return;
    }
    painter.setPen(WidePen(color, pen));
    DrawPolyline(painter, f.t, points, m_pixels);
}

void CMapRenderer::DrawRoute(QPainter& painter, const Frame& f, const CmVias& route, bool showLayer,
                             const TextStyle& stationFont) {
    if (route.m_points.size() < 2 || !(route.m_bShow || showLayer))
        return;
    const MapTransform& t = f.t;
    const int pen = t.LengthToPixels(2.0);
    if (!f.cull || LineBox(t, PointsBox(route), pen).intersects(f.area))
        DrawLine(painter, f, route.m_points, ColorFromRef(route.m_crColor), pen);
    const QColor text = ColorFromRef(kStationTextColor);
    const QColor back = ColorFromRef(kStationBackColor);
    if (f.cull && !f.stationReach)
        f.stationReach.emplace(stationFont.font);
    if (f.Partial() && m_bBatch) {
        // Every part of a pan step asks; the stations' reach is found once.
        auto it = m_stationBoxes.find(&route);
        if (it == m_stationBoxes.end()) {
            QRect box;
            for (const Station& s : route.m_stations) {
                const QPoint a = Bounded(t.ToPixel(s.pt));
                const int h = f.stationReach->height;
                const int w = static_cast<int>(std::min<std::size_t>(s.name.size(), 4096)) *
                              f.stationReach->advance;
                box |= IconBox(t, s.pt.x - 9, s.pt.y + 1, s.pt.x + 10, s.pt.y + 17) |
                       QRect(a.x() - h, a.y() - h, w + 2 * h, 3 * h);
            }
            it = m_stationBoxes.emplace(&route, box).first;
        }
        if (!it->second.intersects(f.area))
            return;
    }
    for (const Station& s : route.m_stations) {
        const std::int32_t x = s.pt.x, y = s.pt.y;
        const QRect icon = IconBox(t, x - 9, y + 1, x + 10, y + 17);
        if (f.cull && !icon.intersects(f.area)) {
            if (s.name.empty() ||
                !f.stationReach->MayReach(f.area, Bounded(t.ToPixel(x, y)), s.name, icon) ||
                !TextBox(t, x, y, Layout(stationFont, s.name)).intersects(f.area))
                continue;
        }
        DrawIcon(painter, t, QStringLiteral("station"), x - 9, y + 1, x + 10, y + 17);
        if (!s.name.empty())
            DrawMapText(painter, t, x, y, Layout(stationFont, s.name), stationFont.font, text, 0,
                        &back);
    }
}

void CMapRenderer::DrawBusinesses(QPainter& painter, const MapStore& store, const Frame& f) {
    const CmClasificados* category = store.m_directory.m_pCurrent;
    if (!category)
        return;
    const MapTransform& t = f.t;
    const TextStyle font = Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif, 10, t, false));
    const TextReach reach(font.font);
    ForEach(category->m_listBusinesses, m_batchBusinesses, [&](const CmNegocios& b) {
        const std::int32_t x = b.m_x, y = b.m_y;
        if (!b.IsDrawable() || !f.visible.Contains(x, y))
            return;
        if (f.Partial() && !reach.MayReach(f.area, Bounded(t.ToPixel(x, y)), b.m_strName,
                                           IconBox(t, x - 14, y, x + 13, y + 32)))
            return;
        const QStaticText* layout = b.m_strName.empty() ? nullptr : &Layout(font, b.m_strName);
        if (f.Partial() && !(IconBox(t, x - 14, y, x + 13, y + 32) |
                             (layout ? TextBox(t, x, y, *layout) : QRect()))
                                .intersects(f.area))
            return;
        DrawIcon(painter, t,
                 b.m_bHighlight ? QStringLiteral("sign_highlight") : QStringLiteral("sign"), x - 14,
                 y, x + 13, y + 32);
        if (layout)
            DrawMapText(painter, t, x, y, *layout, font.font,
                        ColorFromRef(b.m_bHighlight ? CmNegocios::kHighlightColor
                                                    : CmNegocios::kTextColor));
    });
}

void CMapRenderer::DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& t,
                              const LayerSwitches& layers, const MapOverlay& overlay) {
    DrawLayers(painter, store, t, layers, overlay, QRect(QPoint(0, 0), t.ClientSize()));
}

void CMapRenderer::DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& t,
                              const LayerSwitches& layers, const MapOverlay& overlay,
                              const QRect& area) {
    EnsureIndex(store);
    // One frame uses at most five fonts; the layouts of past zooms are dropped
    // so that zooming through every scale does not hoard them.
    if (m_textLayouts.size() > 10)
        m_textLayouts.clear();
    const QRect client(QPoint(0, 0), t.ClientSize());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    CBlockRaster raster(painter);
    Frame f{t,          t.VisibleRect(),           area & client, MapRectOf(t, area & client),
            m_bCulling, (area & client) == client, &raster,       std::nullopt};

    if (!f.area.isEmpty() || !f.cull) {
        DrawBlocks(painter, store, f, layers.m_bFillBlocks);
        DrawPlaces(painter, store, f, layers);
        if (layers.m_bShowStreetNames && t.Scale() > 10.0f && !store.m_labels.empty())
            DrawLabels(painter, store, f);
        for (const auto& street : store.m_listStreets)
            DrawStreet(painter, f, *street, layers.m_bShowTracedStreets);
        if (!store.m_listRoutes.empty()) {
            const TextStyle stationFont =
                Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 10, t, true));
            for (const auto& route : store.m_listRoutes)
                DrawRoute(painter, f, *route, layers.m_bShowAllRoutes, stationFont);
        }
        if (layers.m_bShowMarks)
            DrawBusinesses(painter, store, f);
    }

    // What the user is working on is drawn whole, wherever it is.
    Frame all = f;
    all.cull = false;
    DrawStreet(painter, all, store.m_routeOutline, true);
    if (overlay.traceStreet)
        DrawStreet(painter, all, *overlay.traceStreet, true);
    if (overlay.traceRoute) {
        const TextStyle stationFont =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 10, t, true));
        DrawRoute(painter, all, *overlay.traceRoute, false, stationFont);
    }

    if (overlay.band) {
        const MapRect& b = *overlay.band;
        const QPoint corners[5] = {t.ToPixel(b.left, b.top), t.ToPixel(b.right, b.top),
                                   t.ToPixel(b.right, b.bottom), t.ToPixel(b.left, b.bottom),
                                   t.ToPixel(b.left, b.top)};
        painter.setPen(QPen(ColorFromRef(kBandPenColor), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(corners, 5);
    }
    painter.restore();

    if (overlay.visibleRectDrawn)
        overlay.visibleRectDrawn(f.visible);
}

QImage CMapRenderer::Render(const MapStore& store, const MapTransform& transform,
                            const LayerSwitches& layers, const MapOverlay& overlay) {
    const QSize size = transform.ClientSize();
    QImage image(std::max(size.width(), 1), std::max(size.height(), 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawLayers(painter, store, transform, layers, overlay);
    painter.end();
    return image;
}

void CMapRenderer::DrawArea(QImage& frame, const MapStore& store, const MapTransform& t,
                            const LayerSwitches& layers, const QRect& area,
                            const MapOverlay& overlay) {
    const QRect r = area & frame.rect();
    if (r.isEmpty())
        return;
    if (frame.depth() != 32) {
        QPainter painter(&frame);
        painter.setClipRect(r);
        painter.fillRect(r, Qt::white);
        DrawLayers(painter, store, t, layers, overlay, r);
        return;
    }
    // A picture over the area's own pixels of the frame: drawing into it is
    // drawing into the frame, with the block raster working as on a whole one.
    uchar* bits = frame.bits() + static_cast<std::size_t>(r.y()) * frame.bytesPerLine() +
                  static_cast<std::size_t>(r.x()) * 4;
    QImage part(bits, r.width(), r.height(), frame.bytesPerLine(), frame.format());
    part.fill(Qt::white);
    QPainter painter(&part);
    painter.translate(-r.topLeft());
    DrawLayers(painter, store, t, layers, overlay, r);
}

bool CMapRenderer::CanPan(const MapTransform& from, const MapTransform& to) {
    return from.ClientSize() == to.ClientSize() && from.Scale() == to.Scale() &&
           from.Origin() != to.Origin();
}

std::vector<QRect> CMapRenderer::AnchorChanges(const MapStore& store, const MapTransform& from,
                                               const MapTransform& to,
                                               const LayerSwitches& layers) {
    const MapRect was = from.VisibleRect();
    const MapRect now = to.VisibleRect();
    auto changed = [&](std::int32_t x, std::int32_t y) {
        return was.Contains(x, y) != now.Contains(x, y);
    };
    std::vector<QRect> region;
    m_batchReferences.clear();
    m_batchColonies.clear();
    m_batchBusinesses.clear();
    if (layers.m_bShowReferences && !store.m_listReferences.empty()) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, to, false));
        for (const auto& ref : store.m_listReferences) {
            const std::int32_t x = ref->m_x, y = ref->m_y;
            if (now.Contains(x, y))
                m_batchReferences.push_back(ref.get());
            if (!changed(x, y))
                continue;
            region.push_back(IconBox(to, x - 8, y, x + 8, y + 32));
            if (!ref->m_strName.empty())
                region.push_back(TextBox(to, x, y, Layout(font, ref->m_strName)));
        }
    }
    if (layers.m_bShowColonies && !store.m_listColonies.empty()) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, to, false));
        for (const auto& col : store.m_listColonies) {
            if (now.Contains(col->m_x, col->m_y))
                m_batchColonies.push_back(col.get());
            if (changed(col->m_x, col->m_y) && !col->m_strName.empty())
                region.push_back(TextBox(to, col->m_x, col->m_y, Layout(font, col->m_strName)));
        }
    }
    if (layers.m_bShowStreetNames && to.Scale() > 10.0f && !store.m_labels.empty()) {
        const TextStyle font = Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif,
                                             CmStname::FontHeight(to.Scale()), to, false));
        const std::vector<CmStname>& labels = store.m_labels;
        if (!m_labelIndex.Matches(labels.data(), labels.size())) {
            std::vector<MapPoint> anchors;
            anchors.reserve(labels.size());
            for (const CmStname& label : labels)
                anchors.push_back({label.m_x, label.m_y});
            m_labelIndex.Build(anchors, labels.data(), labels.size());
        }
        m_labelIndex.Query(UnionRect(was, now), m_visible);
        for (std::uint32_t i : m_visible) {
            const CmStname& label = labels[i];
            if (changed(label.m_x, label.m_y) && !label.m_strText.empty())
                region.push_back(TextBox(to, label.m_x, label.m_y, Layout(font, label.m_strText),
                                         label.Escapement()));
        }
    }
    if (layers.m_bShowMarks && store.m_directory.m_pCurrent) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif, 10, to, false));
        for (const auto& b : store.m_directory.m_pCurrent->m_listBusinesses) {
            const std::int32_t x = b->m_x, y = b->m_y;
            if (now.Contains(x, y))
                m_batchBusinesses.push_back(b.get());
            if (!b->IsDrawable() || !changed(x, y))
                continue;
            region.push_back(IconBox(to, x - 14, y, x + 13, y + 32));
            if (!b->m_strName.empty())
                region.push_back(TextBox(to, x, y, Layout(font, b->m_strName)));
        }
    }
    return region;
}

QRegion CMapRenderer::PanFrame(QImage& frame, const MapStore& store, const MapTransform& from,
                               const MapTransform& to, const LayerSwitches& layers) {
    const QRect client(QPoint(0, 0), to.ClientSize());
    const QPoint d = to.Origin() - from.Origin();
    const int w = client.width(), h = client.height();
    if (!CanPan(from, to) || frame.size() != client.size() || frame.depth() != 32 ||
        std::abs(d.x()) >= w || std::abs(d.y()) >= h) {
        DrawArea(frame, store, to, layers, client);
        return QRegion(client);
    }
    ScrollPixels(frame, d);
    // One piece along each edge: the strip the move uncovered, and the pixels
    // of the items placed by a point that came into view or left it there
    // (such an item shows while its point is in view, its name reaching out of
    // it or not). Pieces may overlap; each is drawn afresh whole.
    enum { kLeft, kRight, kTop, kBottom };
    QRect edges[4];
    if (d.x() > 0)
        edges[kLeft] = QRect(0, 0, d.x(), h);
    else if (d.x() < 0)
        edges[kRight] = QRect(w + d.x(), 0, -d.x(), h);
    if (d.y() > 0)
        edges[kTop] = QRect(0, 0, w, d.y());
    else if (d.y() < 0)
        edges[kBottom] = QRect(0, h + d.y(), w, -d.y());
    BeginBatch();
    for (const QRect& box : AnchorChanges(store, from, to, layers)) {
        const QRect r = box & client;
        if (r.isEmpty())
            continue;
        const QPoint c = r.center();
        const int distances[4] = {c.x(), w - c.x(), c.y(), h - c.y()};
        const int nearest =
            static_cast<int>(std::min_element(distances, distances + 4) - distances);
        edges[nearest] |= r;
    }
    QRegion drawn;
    for (const QRect& r : edges) {
        if (r.isEmpty())
            continue;
        DrawArea(frame, store, to, layers, r);
        drawn += r;
    }
    EndBatch();
    return drawn;
}

QImage RenderMap(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                 const MapOverlay& overlay) {
    CMapRenderer renderer;
    return renderer.Render(store, transform, layers, overlay);
}
