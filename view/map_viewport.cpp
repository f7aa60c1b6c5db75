#include "map_viewport.h"

#include <algorithm>
#include <cmath>

float CMapViewport::ClampScale(double scale) {
    if (!(scale >= kMinScale))
        return kMinScale;
    return static_cast<float>(std::min<double>(scale, kMaxScale));
}

void CMapViewport::Reset(float scale, QSize client) {
    m_fScale = scale;
    CentreOrigin(client);
}

void CMapViewport::CentreOrigin(QSize client) {
    m_ptOrigin = QPoint(client.width() / 2, client.height() / 2);
}

void CMapViewport::CenterOn(MapPoint p, QSize client) {
    m_ptOrigin = Transform(client).OriginCentering(p);
}

void CMapViewport::ZoomTo(double scale, MapPoint p, QSize client) {
    m_fScale = ClampScale(scale);
    CenterOn(p, client);
}

bool CMapViewport::ZoomStep(QPoint pixel, float step, QSize client) {
    if (step > 0 && m_fScale >= kMaxScale)
        return false;
    if (step < 0 && m_fScale <= kMinScale)
        return false;
    const MapPoint p = Transform(client).ToMap(pixel);
    m_fScale = std::clamp(m_fScale + step, kMinScale, kMaxScale);
    CenterOn(p, client);
    return true;
}

bool CMapViewport::ZoomNotches(QPoint pixel, int notches, QSize client) {
    const float target = notches > 0 ? std::floor(m_fScale) + static_cast<float>(notches)
                                     : std::ceil(m_fScale) + static_cast<float>(notches);
    const float scale = std::clamp(target, kMinScale, kMaxScale);
    if (scale == m_fScale)
        return false;
    const MapPoint p = Transform(client).ToMap(pixel);
    m_fScale = scale;
    m_ptOrigin = Transform(client).OriginPlacing(p, pixel);
    return true;
}
