#pragma once

// The one mapping between map units (y up) and client pixels (y down) at a scale
// and an origin. It reproduces the isotropic mapping mode of the desktop the
// maps were first drawn on, integer for integer, so that every click, every
// centring and every drawn vertex lands on the same pixel as it always did.
//
// Rules (all integer arithmetic is 64-bit, so no product can overflow):
// - window extent: (trunc(W*10/s), trunc(H*10/s)), each at least 1 so that a
//   window too small for one map unit still converts;
// - viewport extent: (W, -H), each magnitude at least 1;
// - isotropic adjustment: the axis whose ratio |viewport|/|window| is larger is
//   shrunk to the other axis's ratio: with |vx|*wy > |vy|*wx the x extent
//   becomes MulDiv(wx, |vy|, wy), otherwise the y extent becomes
//   MulDiv(wy, |vx|, wx); the sign is kept and the magnitude stays at least 1;
// - conversions: pixel = origin + round(map * viewport / window) and
//   map = round((pixel - origin) * window / viewport), rounding the exact
//   quotient half away from zero, as MulDiv does.

#include "geometry.h"

#include <QPoint>
#include <QSize>
#include <QTransform>
#include <cstdint>

// a * b / c on a 64-bit intermediate, rounded half away from zero; -1 when c is 0
// or the result does not fit in 32 bits.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

class MapTransform {
public:
    MapTransform() = default;
    MapTransform(QSize client, float scale, QPoint origin);

    QSize ClientSize() const { return m_szClient; }
    float Scale() const { return m_fScale; }
    QPoint Origin() const { return m_ptOrigin; }
    // After the isotropic adjustment; the y extent is negative.
    QSize WindowExtent() const { return {m_nWx, m_nWy}; }
    QSize ViewportExtent() const { return {m_nVx, m_nVy}; }

    // LPtoDP of one point.
    QPoint ToPixel(std::int32_t x, std::int32_t y) const {
        return {ClampInt(m_ptOrigin.x() + RoundDiv(std::int64_t{x} * m_nVx, m_nWx)),
                ClampInt(m_ptOrigin.y() + RoundDiv(std::int64_t{y} * m_nVy, m_nWy))};
    }
    QPoint ToPixel(MapPoint p) const { return ToPixel(p.x, p.y); }
    // DPtoLP of one point.
    MapPoint ToMap(QPoint pixel) const {
        return {ClampInt(RoundDiv((std::int64_t{pixel.x()} - m_ptOrigin.x()) * m_nWx, m_nVx)),
                ClampInt(RoundDiv((std::int64_t{pixel.y()} - m_ptOrigin.y()) * m_nWy, m_nVy))};
    }
    // The client rectangle through DPtoLP, normalised: what the window shows.
    MapRect VisibleRect() const;
    // A map-unit length as pixels on each axis, without origin or sign (what
    // centring uses).
    QPoint SizeToPixels(MapPoint size) const;
    // A length in map units along x as a whole number of pixels, at least 1, as
    // a pen or font of that many units is drawn.
    int LengthToPixels(double units) const;
    // The origin that puts map point `p` on client pixel `at` at this scale.
    QPoint OriginPlacing(MapPoint p, QPoint at) const;
    // The origin that puts `p` at the client centre (W/2, H/2).
    QPoint OriginCentering(MapPoint p) const;
    // The same mapping for painting with QPainter in map units.
    QTransform ToQTransform() const;

    friend bool operator==(const MapTransform& a, const MapTransform& b) {
        return a.m_szClient == b.m_szClient && a.m_fScale == b.m_fScale &&
               a.m_ptOrigin == b.m_ptOrigin;
    }

private:
    // Exact quotient rounded half away from zero; the division is done in double,
    // which is exact here: both operands are integers below 2^53 and a true
    // quotient never lies within rounding distance of a half without being one.
    static std::int64_t RoundDiv(std::int64_t num, std::int64_t den);
    static std::int32_t ClampInt(std::int64_t v);

    QSize m_szClient;
    float m_fScale = 1.0f;
    QPoint m_ptOrigin;
    std::int32_t m_nWx = 1;
    std::int32_t m_nWy = 1;
    std::int32_t m_nVx = 1;
    std::int32_t m_nVy = -1;
};

inline std::int64_t MapTransform::RoundDiv(std::int64_t num, std::int64_t den) {
    const double q = static_cast<double>(num) / static_cast<double>(den);
    const double r = q < 0 ? -static_cast<double>(static_cast<std::int64_t>(-q + 0.5))
                           : static_cast<double>(static_cast<std::int64_t>(q + 0.5));
    return static_cast<std::int64_t>(r);
}

inline std::int32_t MapTransform::ClampInt(std::int64_t v) {
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}
