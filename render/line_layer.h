#pragma once

// Traced streets and routes with their stations, over the street names: a
// street or route shows when it was located or its layer is on ("Mostrar
// calles trazadas", "Mostrar todas las Rutas"). The overlay draws what the
// user traces with the same code.

#include "map_layer.h"
#include "map_painting.h"
#include "text_layouts.h"

#include <QPoint>
#include <QRect>
#include <optional>
#include <unordered_map>
#include <vector>

class CmCalles;
class CmVias;

class CLineLayer : public CMapLayer {
public:
    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) override;
    // The boxes of the streets and routes are found once for all the parts a
    // pan step draws.
    void BeginPan(const MapStore& store, const PanStep& step, std::vector<QRect>& changes) override;
    void EndPan() override { m_bPanning = false; }

    // A street, in its colour when shown by itself, grey when only its layer is on.
    void DrawStreet(QPainter& painter, const RenderFrame& frame, const CmCalles& street,
                    bool showLayer);
    // A route two map units wide, and its stations: an icon and the name on white.
    void DrawRoute(QPainter& painter, const RenderFrame& frame, const CmVias& route, bool showLayer,
                   const TextStyle& stationFont);
    static TextStyle StationStyle(CTextLayouts& texts, const MapTransform& t);

private:
    void DrawLine(QPainter& painter, const RenderFrame& frame, const std::vector<MapPoint>& points,
                  QColor color, int pen);
    void DrawStations(QPainter& painter, const RenderFrame& frame, const CmVias& route,
                      const TextStyle& stationFont);
    MapRect PointsBox(const CmCalles& line);

    std::vector<QPoint> m_pixels;
    // How far station names reach, found once a frame.
    std::optional<TextReach> m_stationReach;
    std::unordered_map<const CmCalles*, MapRect> m_lineBoxes;
    std::unordered_map<const CmVias*, QRect> m_stationBoxes;
    bool m_bPanning = false;
};
