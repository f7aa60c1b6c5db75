#include "label_placement.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Boxes are looked for in square cells of this many pixels: a name meets the
// few kept names of the cells it covers, not all of them.
constexpr int kCell = 64;

std::int64_t CellKey(int column, int row) {
    return (static_cast<std::int64_t>(column) << 32) ^ static_cast<std::uint32_t>(row);
}

int CellOf(int pixel) {
    return pixel >= 0 ? pixel / kCell : -((-pixel + kCell - 1) / kCell);
}

} // namespace

std::vector<std::uint32_t> PlaceLabels(std::vector<LabelCandidate> candidates) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const LabelCandidate& a, const LabelCandidate& b) {
                         if (a.weight != b.weight)
                             return a.weight > b.weight;
                         if (a.length != b.length)
                             return a.length > b.length;
                         return a.label < b.label;
                     });
    std::unordered_map<std::int64_t, std::vector<QRect>> kept;
    std::vector<std::uint32_t> placed;
    for (const LabelCandidate& c : candidates) {
        const int x0 = CellOf(c.box.left()), x1 = CellOf(c.box.right());
        const int y0 = CellOf(c.box.top()), y1 = CellOf(c.box.bottom());
        bool free = true;
        for (int x = x0; x <= x1 && free; ++x)
            for (int y = y0; y <= y1 && free; ++y)
                if (const auto it = kept.find(CellKey(x, y)); it != kept.end())
                    free = std::none_of(it->second.begin(), it->second.end(),
                                        [&](const QRect& r) { return r.intersects(c.box); });
        if (!free)
            continue;
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                kept[CellKey(x, y)].push_back(c.box);
        placed.push_back(c.label);
    }
    std::sort(placed.begin(), placed.end());
    return placed;
}
