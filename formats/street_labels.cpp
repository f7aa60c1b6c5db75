#include "street_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <numeric>
#include <unordered_map>

namespace {

// The font's height in map units where labels are largest (CmStname::FontHeight).
constexpr double kFontUnits = 8.0;
// A pixel size rounded to whole pixels draws up to this much larger than asked
// (9 pixels for 8.5 at scale 10.6), and hinting adds a little more.
constexpr double kRoundingAllowance = 1.08;
// Advances of U+0020 to U+017F in thousandths of an em, as DejaVu Sans gives
// them (rounded up); the C1 controls take none.
constexpr std::uint16_t kAdvance[] = {
    318,  401,  460, 838, 637, 951, 780, 275, 391, 391, 500, 838,  318, 361, 318,  337, 637,  637,
    637,  637,  637, 637, 637, 637, 637, 637, 337, 337, 838, 838,  838, 531, 1000, 685, 687,  699,
    771,  632,  576, 775, 752, 295, 295, 656, 558, 863, 749, 788,  604, 788, 695,  635, 611,  732,
    685,  989,  686, 611, 686, 391, 337, 391, 838, 500, 500, 613,  635, 550, 635,  616, 353,  635,
    634,  278,  278, 580, 278, 975, 634, 612, 635, 635, 412, 521,  393, 634, 592,  818, 592,  592,
    525,  637,  337, 637, 838, 0,   0,   0,   0,   0,   0,   0,    0,   0,   0,    0,   0,    0,
    0,    0,    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,    0,   0,   0,    0,   0,    0,
    0,    0,    318, 401, 637, 637, 637, 637, 337, 500, 500, 1000, 472, 612, 838,  361, 1000, 500,
    500,  838,  401, 401, 500, 637, 637, 318, 500, 401, 472, 612,  970, 970, 970,  531, 685,  685,
    685,  685,  685, 685, 975, 699, 632, 632, 632, 632, 295, 295,  295, 295, 775,  749, 788,  788,
    788,  788,  788, 838, 788, 732, 732, 732, 732, 611, 605, 630,  613, 613, 613,  613, 613,  613,
    982,  550,  616, 616, 616, 616, 278, 278, 278, 278, 612, 634,  612, 612, 612,  612, 612,  838,
    612,  634,  634, 634, 634, 592, 635, 592, 685, 613, 685, 613,  685, 613, 699,  550, 699,  550,
    699,  550,  699, 550, 771, 635, 775, 635, 632, 616, 632, 616,  632, 616, 632,  616, 632,  616,
    775,  635,  775, 635, 775, 635, 775, 635, 752, 634, 917, 695,  295, 278, 295,  278, 295,  278,
    295,  278,  295, 278, 590, 556, 295, 278, 656, 580, 580, 558,  278, 558, 278,  558, 375,  558,
    342,  562,  285, 749, 634, 749, 634, 749, 634, 814, 749, 634,  788, 612, 788,  612, 788,  612,
    1070, 1023, 695, 412, 695, 412, 695, 412, 635, 521, 635, 521,  635, 521, 635,  521, 611,  393,
    611,  393,  611, 393, 732, 634, 732, 634, 732, 634, 732, 634,  732, 634, 732,  634, 989,  818,
    611,  592,  611, 686, 525, 686, 525, 686, 525, 353};
static_assert(std::size(kAdvance) == 0x180 - 0x20);
// Wider than any Latin, Greek or Cyrillic letter, and than the em of the
// faces that draw other scripts.
constexpr std::uint16_t kUnknownAdvance = 1100;

std::uint16_t Advance(char32_t c) {
    if (c >= 0x20 && c < 0x180)
        return kAdvance[c - 0x20];
    if (c >= 0x300 && c < 0x370)
        return 0; // combining accents sit on the letter before them
    return kUnknownAdvance;
}

// Decodes one UTF-8 sequence at `i`; a malformed byte is one unknown letter.
char32_t NextLetter(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    int more = 0;
    char32_t c = lead;
    if (lead >= 0xf0 && lead < 0xf8)
        more = 3, c = lead & 0x07;
    else if (lead >= 0xe0)
        more = 2, c = lead & 0x0f;
    else if (lead >= 0xc0)
        more = 1, c = lead & 0x1f;
    else if (lead >= 0x80)
        return 0xfffd;
    for (; more > 0; --more) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xc0) != 0x80)
            return 0xfffd;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3f);
    }
    return c;
}

PlanePoint Down(PlanePoint along) {
    // The text's lines go down the screen: to the right of its direction on the map.
    return {along.y, -along.x};
}

// A place on a stroke where the whole text fits.
struct Window {
    PlanePoint centre;
    PlanePoint along;
    double arc = 0.0;       // of the centre, from the stroke's start
    double deviation = 0.0; // the farthest the stroke strays from the text's middle
};

// Every window `chord` long that starts a multiple of `step` along the stroke
// and keeps the stroke within `tolerance` of its chord. A closed stroke's
// windows may run across its start.
std::vector<Window> Windows(const Polyline& stroke, double chord, double tolerance, double step) {
    std::vector<Window> windows;
    if (stroke.size() < 2)
        return windows;
    Polyline line = stroke;
    std::vector<double> arc(1, 0.0);
    for (std::size_t i = 1; i < line.size(); ++i)
        arc.push_back(arc.back() + Distance(line[i - 1], line[i]));
    const double length = arc.back();
    if (length <= 0.0)
        return windows;
    if (stroke.front() == stroke.back()) {
        for (std::size_t i = 1; i < stroke.size() && arc.back() < length + chord * 1.5; ++i) {
            line.push_back(stroke[i]);
            arc.push_back(arc.back() + Distance(stroke[i - 1], stroke[i]));
        }
    }
    // A stretch much longer than its chord is no straight stretch.
    const double reach = chord * 1.25 + 2 * tolerance;
    std::size_t first = 0;
    for (double s0 = 0.0; s0 < length && s0 + chord <= arc.back(); s0 += step) {
        while (first + 2 < line.size() && arc[first + 1] <= s0)
            ++first;
        const double span = arc[first + 1] - arc[first];
        const PlanePoint p0 =
            span > 0.0 ? PlanePoint{line[first].x + (s0 - arc[first]) / span *
                                                        (line[first + 1].x - line[first].x),
                                    line[first].y + (s0 - arc[first]) / span *
                                                        (line[first + 1].y - line[first].y)}
                       : line[first];
        // The first point past p0 that lies `chord` away from it.
        std::size_t j = first;
        double s1 = -1.0;
        PlanePoint p1;
        for (; j + 1 < line.size() && arc[j] - s0 <= reach; ++j) {
            const PlanePoint a = line[j], b = line[j + 1];
            if (Distance(p0, b) < chord)
                continue;
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double qa = dx * dx + dy * dy;
            const double qb = 2 * ((a.x - p0.x) * dx + (a.y - p0.y) * dy);
            const double qc =
                (a.x - p0.x) * (a.x - p0.x) + (a.y - p0.y) * (a.y - p0.y) - chord * chord;
            const double t = std::clamp(
                (-qb + std::sqrt(std::max(0.0, qb * qb - 4 * qa * qc))) / (2 * qa), 0.0, 1.0);
            p1 = {a.x + t * dx, a.y + t * dy};
            s1 = arc[j] + t * std::sqrt(qa);
            break;
        }
        if (s1 < 0.0 || s1 - s0 > reach)
            continue;
        double deviation = 0.0;
        for (std::size_t k = first + 1; k <= j && deviation <= tolerance; ++k)
            deviation = std::max(deviation, DistanceToSegment(line[k], p0, p1));
        if (deviation > tolerance)
            continue;
        const double d = Distance(p0, p1);
        windows.push_back({{(p0.x + p1.x) / 2, (p0.y + p1.y) / 2},
                           {(p1.x - p0.x) / d, (p1.y - p0.y) / d},
                           std::fmod((s0 + s1) / 2, length),
                           deviation});
    }
    return windows;
}

// The labels placed so far, by square cells of the map.
class CPlacedLabels {
public:
    explicit CPlacedLabels(double cell) : m_dCell(cell) {}

    bool Crowds(const LabelBox& box) const {
        bool hit = false;
        Cells(box, [&](long long key) {
            const auto it = m_cells.find(key);
            if (it == m_cells.end())
                return;
            for (std::size_t i : it->second)
                hit = hit || m_boxes[i].Overlaps(box);
        });
        return hit;
    }
    void Add(const LabelBox& box) {
        m_boxes.push_back(box);
        Cells(box, [&](long long key) { m_cells[key].push_back(m_boxes.size() - 1); });
    }

private:
    template <typename F>
    void Cells(const LabelBox& box, F visit) const {
        const double r = box.halfLength + box.halfHeight;
        const auto x0 = static_cast<long long>(std::floor((box.centre.x - r) / m_dCell));
        const auto x1 = static_cast<long long>(std::floor((box.centre.x + r) / m_dCell));
        const auto y0 = static_cast<long long>(std::floor((box.centre.y - r) / m_dCell));
        const auto y1 = static_cast<long long>(std::floor((box.centre.y + r) / m_dCell));
        for (long long x = x0; x <= x1; ++x)
            for (long long y = y0; y <= y1; ++y)
                visit(x * 73856093LL ^ y * 19349663LL);
    }

    double m_dCell = 1.0;
    std::vector<LabelBox> m_boxes;
    std::unordered_map<long long, std::vector<std::size_t>> m_cells;
};

} // namespace

double LabelTextWidth(std::string_view utf8) {
    double thousandths = 0.0;
    for (std::size_t i = 0; i < utf8.size();)
        thousandths += Advance(NextLetter(utf8, i));
    return thousandths / 1000.0 * kFontUnits * kRoundingAllowance;
}

LabelBox LabelBox::At(PlanePoint anchor, float angle, double width, double height) {
    // The text runs along (cos, -sin) of the angle on the map, y up.
    const PlanePoint along{std::cos(angle), -std::sin(angle)};
    const PlanePoint down = Down(along);
    return {{anchor.x + width / 2 * along.x + height / 2 * down.x,
             anchor.y + width / 2 * along.y + height / 2 * down.y},
            along,
            width / 2,
            height / 2};
}

PlanePoint LabelBox::Anchor() const {
    const PlanePoint down = Down(along);
    return {centre.x - halfLength * along.x - halfHeight * down.x,
            centre.y - halfLength * along.y - halfHeight * down.y};
}

bool LabelBox::Overlaps(const LabelBox& other) const {
    const PlanePoint axes[] = {along, Down(along), other.along, Down(other.along)};
    const double dx = other.centre.x - centre.x, dy = other.centre.y - centre.y;
    for (const PlanePoint& axis : axes) {
        auto reach = [&](const LabelBox& b) {
            const PlanePoint down = Down(b.along);
            return b.halfLength * std::abs(b.along.x * axis.x + b.along.y * axis.y) +
                   b.halfHeight * std::abs(down.x * axis.x + down.y * axis.y);
        };
        if (std::abs(dx * axis.x + dy * axis.y) > reach(*this) + reach(other))
            return false;
    }
    return true;
}

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

std::vector<std::vector<LabelPlacement>>
PlaceStreetLabels(const std::vector<StreetForLabels>& streets, const LabelRules& rules) {
    std::vector<std::vector<LabelPlacement>> labels(streets.size());
    std::vector<std::size_t> order(streets.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (streets[a].rank != streets[b].rank)
            return streets[a].rank < streets[b].rank;
        return streets[a].length > streets[b].length;
    });
    const double spacing = rules.spacing > 0.0 ? rules.spacing : 1e300;
    // The text, a little room at its ends, and the same room kept between labels.
    const double pad = rules.gap / 2;
    CPlacedLabels placed(64.0);
    for (std::size_t s : order) {
        const StreetForLabels& street = streets[s];
        if (street.width <= 0.0)
            continue;
        const double chord = street.width + 2 * pad;
        const auto wanted = static_cast<std::size_t>(1.0 + std::floor(street.length / spacing));
        std::vector<std::size_t> byLength(street.strokes.size());
        std::iota(byLength.begin(), byLength.end(), 0);
        std::vector<double> lengths;
        for (const Polyline& stroke : street.strokes)
            lengths.push_back(PolylineLength(stroke));
        std::stable_sort(byLength.begin(), byLength.end(),
                         [&](std::size_t a, std::size_t b) { return lengths[a] > lengths[b]; });
        std::vector<PlanePoint> mine;
        for (std::size_t k : byLength) {
            if (mine.size() >= wanted || lengths[k] < chord)
                break;
            std::vector<Window> windows = Windows(street.strokes[k], chord, rules.tolerance, 1.0);
            const std::size_t share = std::min(
                wanted - mine.size(), static_cast<std::size_t>(1.0 + lengths[k] / spacing));
            const double slot = lengths[k] / static_cast<double>(share);
            for (std::size_t n = 0; n < share; ++n) {
                const double target = (static_cast<double>(n) + 0.5) * slot;
                std::vector<const Window*> near;
                for (const Window& w : windows)
                    if (w.arc >= static_cast<double>(n) * slot && w.arc < (n + 1.0) * slot)
                        near.push_back(&w);
                std::stable_sort(near.begin(), near.end(), [&](const Window* a, const Window* b) {
                    return std::abs(a->arc - target) < std::abs(b->arc - target);
                });
                for (const Window* w : near) {
                    const bool tooClose = std::any_of(mine.begin(), mine.end(), [&](PlanePoint p) {
                        return Distance(p, w->centre) < spacing / 2;
                    });
                    if (tooClose)
                        continue;
                    const float angle = UprightLabelAngle(w->along.x, w->along.y);
                    const PlanePoint along{std::cos(angle), -std::sin(angle)};
                    const LabelBox clear{w->centre, along, street.width / 2 + pad,
                                         kLabelHeight / 2 + pad};
                    if (placed.Crowds(clear))
                        continue;
                    placed.Add(clear);
                    mine.push_back(w->centre);
                    const LabelBox text{w->centre, along, street.width / 2, kLabelHeight / 2};
                    labels[s].push_back({text.Anchor(), angle});
                    break;
                }
            }
        }
    }
    return labels;
}
