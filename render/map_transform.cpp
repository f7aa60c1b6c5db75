#include "map_transform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    const std::int64_t num = std::int64_t{a} * b;
    const bool negative = (num < 0) != (c < 0);
    const std::int64_t an = num < 0 ? -num : num;
    const std::int64_t ac = c < 0 ? -std::int64_t{c} : std::int64_t{c};
    const std::int64_t q = (an + ac / 2) / ac;
    const std::int64_t r = negative ? -q : q;
    if (r > INT32_MAX || r < INT32_MIN)
        return -1;
    return static_cast<std::int32_t>(r);
}

namespace {

std::int32_t ExtentFor(int pixels, float scale) {
    const double units = std::trunc(static_cast<double>(pixels) * 10.0 / scale);
    if (!(units >= 1.0))
        return 1;
    return units > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(units);
}

} // namespace

MapTransform::MapTransform(QSize client, float scale, QPoint origin)
    : m_szClient(client), m_fScale(scale), m_ptOrigin(origin) {
    // A scale the view can never reach (zero, negative, NaN) would divide by zero
    // below; it is read as the smallest scale instead.
    const float s = scale > 0.0f ? scale : 1.0f;
    m_nWx = ExtentFor(client.width(), s);
    m_nWy = ExtentFor(client.height(), s);
    m_nVx = std::max(client.width(), 1);
    m_nVy = -std::max(client.height(), 1);

    const std::int64_t ax = m_nVx;
    const std::int64_t ay = -std::int64_t{m_nVy};
    if (ax * m_nWy > ay * m_nWx)
        m_nVx = std::max(MulDiv(m_nWx, static_cast<std::int32_t>(ay), m_nWy), 1);
    else
        m_nVy = -std::max(MulDiv(m_nWy, static_cast<std::int32_t>(ax), m_nWx), 1);
}

MapRect MapTransform::VisibleRect() const {
    const MapPoint a = ToMap(QPoint(0, 0));
    const MapPoint b = ToMap(QPoint(m_szClient.width(), m_szClient.height()));
    return MapRect{a.x, a.y, b.x, b.y}.Normalized();
}

QPoint MapTransform::SizeToPixels(MapPoint size) const {
    return {MulDiv(size.x, std::abs(m_nVx), m_nWx), MulDiv(size.y, std::abs(m_nVy), m_nWy)};
}

int MapTransform::LengthToPixels(double units) const {
    const double px = units * std::abs(m_nVx) / m_nWx;
    return std::max(1, static_cast<int>(std::lround(px)));
}

QPoint MapTransform::OriginPlacing(MapPoint p, QPoint at) const {
    const QPoint d = SizeToPixels(p);
    return {at.x() - d.x(), at.y() + d.y()};
}

QPoint MapTransform::OriginCentering(MapPoint p) const {
    return OriginPlacing(p, QPoint(m_szClient.width() / 2, m_szClient.height() / 2));
}

QTransform MapTransform::ToQTransform() const {
    return QTransform(static_cast<double>(m_nVx) / m_nWx, 0.0, 0.0,
                      static_cast<double>(m_nVy) / m_nWy, m_ptOrigin.x(), m_ptOrigin.y());
}
