#include "plane_geometry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

double Distance(PlanePoint a, PlanePoint b) {
    // Map coordinates are far from overflowing a square: no need for hypot's care.
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

double PolylineLength(const Polyline& line) {
    double total = 0.0;
    for (std::size_t i = 1; i < line.size(); ++i)
        total += Distance(line[i - 1], line[i]);
    return total;
}

double SquaredDistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b, double* along) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = 0.0;
    if (length2 > 0.0)
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
    if (along)
        *along = t;
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

double DistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b, double* along) {
    return std::sqrt(SquaredDistanceToSegment(p, a, b, along));
}

Polyline SimplifyPolyline(const Polyline& line, double tolerance) {
    if (line.size() <= 2)
        return line;
    std::vector<bool> keep(line.size(), false);
    keep.front() = keep.back() = true;
    // An explicit stack: a street of thousands of points must not recurse that deep.
    std::vector<std::pair<std::size_t, std::size_t>> stack{{0, line.size() - 1}};
    while (!stack.empty()) {
        const auto [first, last] = stack.back();
        stack.pop_back();
        double worst = -1.0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double d = SquaredDistanceToSegment(line[i], line[first], line[last]);
            if (d > worst) {
                worst = d;
                at = i;
            }
        }
        if (worst > tolerance * tolerance) {
            keep[at] = true;
            stack.push_back({first, at});
            stack.push_back({at, last});
        }
    }
    Polyline out;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (keep[i])
            out.push_back(line[i]);
    return out;
}

Polyline SimplifyRing(const Polyline& ring, double tolerance) {
    if (ring.size() <= 4)
        return ring;
    const std::size_t n = ring.size() - 1;
    // Douglas-Peucker keeps the ends of what it simplifies, so the ring is cut
    // at two points that are corners whatever the tolerance: the one farthest
    // from the mean of the points, and the one farthest from that.
    PlanePoint mean;
    for (std::size_t i = 0; i < n; ++i) {
        mean.x += ring[i].x / static_cast<double>(n);
        mean.y += ring[i].y / static_cast<double>(n);
    }
    auto farthestFrom = [&](PlanePoint p) {
        std::size_t at = 0;
        for (std::size_t i = 1; i < n; ++i)
            if (Distance(p, ring[i]) > Distance(p, ring[at]))
                at = i;
        return at;
    };
    const std::size_t a = farthestFrom(mean);
    const std::size_t b = farthestFrom(ring[a]);
    Polyline rotated;
    rotated.reserve(n + 1);
    for (std::size_t k = 0; k <= n; ++k)
        rotated.push_back(ring[(a + k) % n]);
    const std::size_t split = (b + n - a) % n;
    if (split == 0)
        return ring;
    Polyline first =
        SimplifyPolyline(Polyline(rotated.begin(), rotated.begin() + split + 1), tolerance);
    const Polyline second =
        SimplifyPolyline(Polyline(rotated.begin() + split, rotated.end()), tolerance);
    if (first.size() + second.size() < 5)
        return ring; // a sliver: kept as it was, to be dropped or buffered later
    first.insert(first.end(), second.begin() + 1, second.end());
    return first;
}

double SignedArea(const Polyline& ring) {
    double twice = 0.0;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint& a = ring[i];
        const PlanePoint& b = ring[(i + 1) % n];
        twice += a.x * b.y - b.x * a.y;
    }
    return twice / 2.0;
}

bool RingContains(const Polyline& ring, PlanePoint p) {
    bool inside = false;
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const PlanePoint& a = ring[i];
        const PlanePoint& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

std::vector<Polyline> ChainLines(std::vector<Polyline> lines) {
    std::erase_if(lines, [](const Polyline& l) { return l.size() < 2; });
    auto key = [](PlanePoint p) { return std::pair{p.x, p.y}; };
    std::map<std::pair<double, double>, std::vector<std::size_t>> ends;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ends[key(lines[i].front())].push_back(i);
        ends[key(lines[i].back())].push_back(i);
    }
    std::vector<bool> used(lines.size(), false);
    // The one unused line that continues at p, when p is no fork.
    auto next = [&](PlanePoint p) -> std::ptrdiff_t {
        const auto& at = ends[key(p)];
        if (at.size() != 2)
            return -1;
        for (std::size_t i : at)
            if (!used[i])
                return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    auto grow = [&](Polyline& chain) {
        for (;;) {
            const std::ptrdiff_t i = next(chain.back());
            if (i < 0)
                return;
            used[static_cast<std::size_t>(i)] = true;
            Polyline part = lines[static_cast<std::size_t>(i)];
            if (!(part.front() == chain.back()))
                std::reverse(part.begin(), part.end());
            chain.insert(chain.end(), part.begin() + 1, part.end());
        }
    };
    std::vector<Polyline> chains;
    // Chains start at ends that are not a plain joint, then loops take what is left.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (used[i])
                continue;
            const bool startsFree = ends[key(lines[i].front())].size() != 2;
            const bool endsFree = ends[key(lines[i].back())].size() != 2;
            if (pass == 0 && !startsFree && !endsFree)
                continue;
            used[i] = true;
            Polyline chain = lines[i];
            if (pass == 0 && !startsFree)
                std::reverse(chain.begin(), chain.end());
            grow(chain);
            std::reverse(chain.begin(), chain.end());
            grow(chain);
            chains.push_back(std::move(chain));
        }
    }
    return chains;
}

CPointGrid::CPointGrid(const std::vector<PlanePoint>& points, double cell)
    : m_dCell(cell > 0.0 ? cell : 1.0) {
    for (std::size_t i = 0; i < points.size(); ++i)
        m_cells[Key(Cell(points[i].x), Cell(points[i].y))].push_back(i);
}

long long CPointGrid::Cell(double v) const {
    return static_cast<long long>(std::floor(v / m_dCell));
}

void CPointGrid::Visit(double minX, double minY, double maxX, double maxY,
                       const std::function<void(std::size_t)>& visit) const {
    const long long x0 = Cell(minX), x1 = Cell(maxX), y0 = Cell(minY), y1 = Cell(maxY);
    // Different cells can share a hash key: each point is reported once all the same.
    std::vector<std::size_t> seen;
    // A rectangle wider than the whole grid is cheaper to answer with every point.
    const double area = (static_cast<double>(x1 - x0) + 1) * (static_cast<double>(y1 - y0) + 1);
    if (area > static_cast<double>(m_cells.size())) {
        for (const auto& [cell, indexes] : m_cells)
            seen.insert(seen.end(), indexes.begin(), indexes.end());
        std::sort(seen.begin(), seen.end());
        for (std::size_t i : seen)
            visit(i);
        return;
    }
    for (long long cx = x0; cx <= x1; ++cx) {
        for (long long cy = y0; cy <= y1; ++cy) {
            const auto it = m_cells.find(Key(cx, cy));
            if (it == m_cells.end())
                continue;
            for (std::size_t i : it->second)
                seen.push_back(i);
        }
    }
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    for (std::size_t i : seen)
        visit(i);
}
