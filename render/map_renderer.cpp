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
#include <cmath>

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

// Writes `text` with the top-left of its cell on the anchor, upright on screen,
// turned counter-clockwise by `escapement` tenths of a degree.
void DrawMapText(QPainter& painter, const MapTransform& t, std::int32_t x, std::int32_t y,
                 const std::string& utf8, const TextStyle& style, QColor color,
                 std::int32_t escapement = 0, const QColor* background = nullptr) {
    if (utf8.empty())
        return;
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
    const QStaticText& layout = it->second;
    const QPoint anchor = t.ToPixel(x, y);
    painter.save();
    painter.translate(anchor);
    if (escapement != 0)
        painter.rotate(-escapement / 10.0);
    if (background)
        painter.fillRect(QRectF(QPointF(0, 0), layout.size()), *background);
    painter.setFont(style.font);
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

void DrawStreet(QPainter& painter, const MapTransform& t, const CmCalles& street, bool showLayer,
                std::vector<QPoint>& pixels) {
    if (street.m_points.size() < 2 || !(street.m_bShow || showLayer))
        return;
    const QColor color = ColorFromRef(street.m_bShow ? street.m_crColor : kGreyStreetColor);
    painter.setPen(WidePen(color, t.LengthToPixels(1.0)));
    DrawPolyline(painter, t, street.m_points, pixels);
}

void DrawRoute(QPainter& painter, const MapTransform& t, const CmVias& route, bool showLayer,
               const TextStyle& stationFont, std::vector<QPoint>& pixels) {
    if (route.m_points.size() < 2 || !(route.m_bShow || showLayer))
        return;
    painter.setPen(WidePen(ColorFromRef(route.m_crColor), t.LengthToPixels(2.0)));
    DrawPolyline(painter, t, route.m_points, pixels);
    const QColor text = ColorFromRef(kStationTextColor);
    const QColor back = ColorFromRef(kStationBackColor);
    for (const Station& s : route.m_stations) {
        const std::int32_t x = s.pt.x, y = s.pt.y;
        DrawIcon(painter, t, QStringLiteral("station"), x - 9, y + 1, x + 10, y + 17);
        DrawMapText(painter, t, x, y, s.name, stationFont, text, 0, &back);
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

TextStyle CMapRenderer::Style(const QFont& font) {
    return TextStyle{font, &m_textLayouts[font.key()]};
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

void CMapRenderer::DrawBlocks(QPainter& painter, const MapStore& store, const MapTransform& t,
                              const MapRect& visible, bool fillAll) {
    // A block is drawn when its box meets the view, a pixel's worth of map units
    // around it included, so that no outline on the border is lost.
    const std::int32_t margin = std::max(1, static_cast<int>(std::ceil(10.0 / t.Scale())) + 1);
    const MapRect query{visible.left - margin, visible.top - margin, visible.right + margin,
                        visible.bottom + margin};
    m_index.Query(query, m_visible);

    CBlockRaster raster(painter);
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

void CMapRenderer::DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& t,
                              const LayerSwitches& layers, const MapOverlay& overlay) {
    EnsureIndex(store);
    // One frame uses at most five fonts; the layouts of past zooms are dropped
    // so that zooming through every scale does not hoard them.
    if (m_textLayouts.size() > 10)
        m_textLayouts.clear();
    const MapRect visible = t.VisibleRect();
    const float scale = t.Scale();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);

    DrawBlocks(painter, store, t, visible, layers.m_bFillBlocks);

    if (layers.m_bShowReferences && !store.m_listReferences.empty()) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, t, false));
        for (const auto& ref : store.m_listReferences) {
            if (!visible.Contains(ref->m_x, ref->m_y))
                continue;
            const std::int32_t x = ref->m_x, y = ref->m_y;
            DrawIcon(painter, t,
                     ref->m_bHighlight ? QStringLiteral("pin_highlight") : QStringLiteral("pin"),
                     x - 8, y, x + 8, y + 32);
            DrawMapText(
                painter, t, x, y, ref->m_strName, font,
                ColorFromRef(ref->m_bHighlight ? CmRefe::kHighlightColor : CmRefe::kTextColor));
        }
    }

    if (layers.m_bShowColonies && !store.m_listColonies.empty()) {
        const TextStyle font =
            Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 8, t, false));
        for (const auto& col : store.m_listColonies) {
            if (!visible.Contains(col->m_x, col->m_y))
                continue;
            DrawMapText(painter, t, col->m_x, col->m_y, col->m_strName, font,
                        ColorFromRef(col->m_bHighlight ? CmColonias::kHighlightColor
                                                       : CmColonias::kTextColor));
        }
    }

    if (layers.m_bShowStreetNames && scale > 10.0f && !store.m_labels.empty()) {
        const TextStyle font = Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif,
                                             CmStname::FontHeight(scale), t, false));
        for (const CmStname& label : store.m_labels) {
            if (!visible.Contains(label.m_x, label.m_y))
                continue;
            DrawMapText(painter, t, label.m_x, label.m_y, label.m_strText, font,
                        ColorFromRef(label.m_crColor), label.Escapement());
        }
    }

    for (const auto& street : store.m_listStreets)
        DrawStreet(painter, t, *street, layers.m_bShowTracedStreets, m_pixels);

    const TextStyle stationFont =
        Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 10, t, true));
    for (const auto& route : store.m_listRoutes)
        DrawRoute(painter, t, *route, layers.m_bShowAllRoutes, stationFont, m_pixels);

    if (layers.m_bShowMarks) {
        if (const CmClasificados* category = store.m_directory.m_pCurrent) {
            const TextStyle font =
                Style(MapFont(QStringLiteral("Arial"), QFont::SansSerif, 10, t, false));
            for (const auto& b : category->m_listBusinesses) {
                if (!b->IsDrawable() || !visible.Contains(b->m_x, b->m_y))
                    continue;
                const std::int32_t x = b->m_x, y = b->m_y;
                DrawIcon(painter, t,
                         b->m_bHighlight ? QStringLiteral("sign_highlight")
                                         : QStringLiteral("sign"),
                         x - 14, y, x + 13, y + 32);
                DrawMapText(painter, t, x, y, b->m_strName, font,
                            ColorFromRef(b->m_bHighlight ? CmNegocios::kHighlightColor
                                                         : CmNegocios::kTextColor));
            }
        }
    }

    DrawStreet(painter, t, store.m_routeOutline, true, m_pixels);
    if (overlay.traceStreet)
        DrawStreet(painter, t, *overlay.traceStreet, true, m_pixels);
    if (overlay.traceRoute)
        DrawRoute(painter, t, *overlay.traceRoute, false, stationFont, m_pixels);

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
        overlay.visibleRectDrawn(visible);
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

QImage RenderMap(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                 const MapOverlay& overlay) {
    CMapRenderer renderer;
    return renderer.Render(store, transform, layers, overlay);
}
