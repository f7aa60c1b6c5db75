#include "street_labels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Piece {
    PlanePoint a;
    PlanePoint b;
    double length = 0.0;
};

} // namespace

float UprightLabelAngle(double dx, double dy) {
    // Screen y grows downwards, so the turn on screen is the map's angle negated.
    double angle = -std::atan2(dy, dx);
    // Text reads left to right; near the vertical it reads downwards, so that
    // the labels of a street that wavers around north-south all read one way.
    constexpr double kSlack = 5.0 * std::numbers::pi / 180.0;
    if (angle > std::numbers::pi / 2 + kSlack)
        angle -= std::numbers::pi;
    else if (angle <= -std::numbers::pi / 2 + kSlack)
        angle += std::numbers::pi;
    return static_cast<float>(angle);
}

std::vector<LabelPlacement> PlaceStreetLabels(const std::vector<Polyline>& chains,
                                              std::size_t letters, double spacing,
                                              double tolerance) {
    std::vector<Piece> pieces;
    double total = 0.0;
    for (const Polyline& chain : chains) {
        total += PolylineLength(chain);
        const Polyline straight = SimplifyPolyline(chain, tolerance);
        for (std::size_t i = 1; i < straight.size(); ++i) {
            const PlanePoint a = straight[i - 1], b = straight[i];
            const double length = Distance(a, b);
            if (length <= 0.0)
                continue;
            // A piece longer than a stretch can carry a label on each part.
            const auto parts = static_cast<std::size_t>(std::max(1.0, std::ceil(length / spacing)));
            for (std::size_t k = 0; k < parts; ++k) {
                const double t0 = static_cast<double>(k) / static_cast<double>(parts);
                const double t1 = static_cast<double>(k + 1) / static_cast<double>(parts);
                pieces.push_back({{a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)},
                                  {a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)},
                                  length / static_cast<double>(parts)});
            }
        }
    }
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& p, const Piece& q) { return p.length > q.length; });

    const auto wanted = static_cast<std::size_t>(1.0 + std::floor(total / spacing));
    std::vector<PlanePoint> taken;
    std::vector<LabelPlacement> labels;
    for (const Piece& piece : pieces) {
        if (labels.size() >= wanted)
            break;
        const PlanePoint middle{(piece.a.x + piece.b.x) / 2, (piece.a.y + piece.b.y) / 2};
        const bool crowded = std::any_of(taken.begin(), taken.end(), [&](PlanePoint t) {
            return Distance(t, middle) < spacing / 2;
        });
        if (crowded)
            continue;
        taken.push_back(middle);

        const float angle = UprightLabelAngle(piece.b.x - piece.a.x, piece.b.y - piece.a.y);
        // The text runs along (cos, -sin) of the angle on the map and its cell
        // hangs below that line on screen: centre the cell on the street.
        const double ux = std::cos(angle), uy = -std::sin(angle);
        const double downX = uy, downY = -ux;
        const double width = kLabelLetterWidth * static_cast<double>(letters);
        labels.push_back({{middle.x - width / 2 * ux - kLabelHeight / 2 * downX,
                           middle.y - width / 2 * uy - kLabelHeight / 2 * downY},
                          angle});
    }
    return labels;
}
