#include "line_layer.h"

#include "block_raster.h"
#include "map_store.h"

#include <QPainter>

namespace {

constexpr std::uint32_t kGreyStreetColor = 0x808080;
// Station names are written black on the background colour a fresh device
// context starts with, white.
constexpr std::uint32_t kStationTextColor = 0x000000;
constexpr std::uint32_t kStationBackColor = 0xffffff;

// The station icon stands on the station's point.
QRect StationBox(const MapTransform& t, MapPoint p) {
    return IconBox(t, p.x - 9, p.y + 1, p.x + 10, p.y + 17);
}

} // namespace

TextStyle CLineLayer::StationStyle(CTextLayouts& texts, const MapTransform& t) {
    return texts.Style(MapFont(QStringLiteral("Times New Roman"), QFont::Serif, 10, t, true));
}

void CLineLayer::Draw(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    m_stationReach.reset();
    for (const auto& street : store.m_listStreets)
        DrawStreet(painter, f, *street, f.layers.m_bShowTracedStreets);
    if (store.m_listRoutes.empty())
        return;
    const TextStyle stationFont = StationStyle(f.texts, f.t);
    for (const auto& route : store.m_listRoutes)
        DrawRoute(painter, f, *route, f.layers.m_bShowAllRoutes, stationFont);
}

void CLineLayer::BeginPan(const MapStore&, const PanStep&, std::vector<QRect>&) {
    m_lineBoxes.clear();
    m_stationBoxes.clear();
    m_bPanning = true;
}

MapRect CLineLayer::PointsBox(const CmCalles& line) {
    if (m_bPanning) {
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
    if (m_bPanning)
        m_lineBoxes.emplace(&line, box);
    return box;
}

void CLineLayer::DrawStreet(QPainter& painter, const RenderFrame& f, const CmCalles& street,
                            bool showLayer) {
    if (street.m_points.size() < 2 || !(street.m_bShow || showLayer))
        return;
    const int pen = f.t.LengthToPixels(1.0);
    if (f.cull && !LineBox(f.t, PointsBox(street), pen).intersects(f.area))
        return;
    const QColor color = ColorFromRef(street.m_bShow ? street.m_crColor : kGreyStreetColor);
    DrawLine(painter, f, street.m_points, color, pen);
}

void CLineLayer::DrawLine(QPainter& painter, const RenderFrame& f,
                          const std::vector<MapPoint>& points, QColor color, int pen) {
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

void CLineLayer::DrawRoute(QPainter& painter, const RenderFrame& f, const CmVias& route,
                           bool showLayer, const TextStyle& stationFont) {
    if (route.m_points.size() < 2 || !(route.m_bShow || showLayer))
        return;
    const int pen = f.t.LengthToPixels(2.0);
    if (!f.cull || LineBox(f.t, PointsBox(route), pen).intersects(f.area))
        DrawLine(painter, f, route.m_points, ColorFromRef(route.m_crColor), pen);
    if (f.cull && !m_stationReach)
        m_stationReach.emplace(stationFont.font);
    DrawStations(painter, f, route, stationFont);
}

void CLineLayer::DrawStations(QPainter& painter, const RenderFrame& f, const CmVias& route,
                              const TextStyle& stationFont) {
    const MapTransform& t = f.t;
    if (f.Partial() && m_bPanning) {
        // Every part of a pan step asks; the stations' reach is found once.
        auto it = m_stationBoxes.find(&route);
        if (it == m_stationBoxes.end()) {
            QRect box;
            for (const Station& s : route.m_stations)
                box |=
                    StationBox(t, s.pt) | m_stationReach->Around(Bounded(t.ToPixel(s.pt)), s.name);
            it = m_stationBoxes.emplace(&route, box).first;
        }
        if (!it->second.intersects(f.area))
            return;
    }
    const QColor text = ColorFromRef(kStationTextColor);
    const QColor back = ColorFromRef(kStationBackColor);
    for (const Station& s : route.m_stations) {
        const std::int32_t x = s.pt.x, y = s.pt.y;
        const QRect icon = StationBox(t, s.pt);
        if (f.cull && !icon.intersects(f.area)) {
            if (s.name.empty() ||
                !m_stationReach->MayReach(f.area, Bounded(t.ToPixel(x, y)), s.name, icon) ||
                !TextBox(t, x, y, f.texts.Layout(stationFont, s.name)).intersects(f.area))
                continue;
        }
        DrawIcon(painter, t, QStringLiteral("station"), x - 9, y + 1, x + 10, y + 17);
        if (!s.name.empty())
            DrawMapText(painter, t, x, y, f.texts.Layout(stationFont, s.name), stationFont.font,
                        text, 0, &back);
    }
}
