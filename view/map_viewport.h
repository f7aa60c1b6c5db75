#pragma once

// Where the map window looks: the scale, kept within 1 to 20, and the client
// pixel where map point (0,0) lies, with the zoom and centring arithmetic of
// the window's keys, wheel, tools and the pages' requests. It knows no
// widget: the window passes its client size.

#include "geometry.h"
#include "map_transform.h"

#include <QPoint>
#include <QSize>

class CMapViewport {
public:
    static constexpr float kMinScale = 1.0f;
    static constexpr float kMaxScale = 20.0f;

    // A scale from a file or a message, made one the view can show: a stored
    // zoom of 0 or of 1000 still gives a usable view.
    static float ClampScale(double scale);

    float Scale() const { return m_fScale; }
    QPoint Origin() const { return m_ptOrigin; }
    MapTransform Transform(QSize client) const { return {client, m_fScale, m_ptOrigin}; }

    // `scale` as it is, with map point (0,0) at the client centre.
    void Reset(float scale, QSize client);
    // Map point (0,0) to the client centre; the scale stays.
    void CentreOrigin(QSize client);
    // Moves the origin so that `p` is at the client centre; the scale stays.
    void CenterOn(MapPoint p, QSize client);
    // The scale, kept within its limits, with `p` at the client centre.
    void ZoomTo(double scale, MapPoint p, QSize client);
    // Adds `step` to the scale about the map point under `pixel`, which goes
    // to the centre. False, with nothing changed, at the limit it goes towards.
    bool ZoomStep(QPoint pixel, float step, QSize client);
    // The next whole scale per wheel notch (negative: smaller), the map point
    // under `pixel` staying under it. False when the scale stays.
    bool ZoomNotches(QPoint pixel, int notches, QSize client);
    void PanBy(QPoint delta) { m_ptOrigin += delta; }

private:
    float m_fScale = 1.0f;
    QPoint m_ptOrigin;
};
