#include "guide_layout.h"

#include "map_fit.h"
#include "map_store.h"

#include <QCoreApplication>
#include <QPageSize>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Around the frame, from the paper's edge in: the margin, the header with the
// page's number (top only), the notes naming the joining pages, and the
// squares' letters and numbers.
constexpr double kMarginMm = 10.0;
constexpr double kHeaderMm = 9.0;
constexpr double kNeighbourMm = 6.0;
constexpr double kLabelMm = 5.0;
// The side a square is given on paper, near enough to fit a whole number.
constexpr double kSquareMm = 35.0;
// What each page shares with a neighbour, as a share of its frame on each side.
constexpr double kOverlap = 0.03;

double MmToPixels(double mm) {
    return mm * kGuideDpi / 25.4;
}

int FloorToInt(double v) {
    return static_cast<int>(std::floor(v));
}

} // namespace

QSizeF GuidePaperMillimetres(GuidePaper paper, GuideOrientation orientation) {
    QPageSize::PageSizeId id = QPageSize::A4;
    if (paper == GuidePaper::Carta)
        id = QPageSize::Letter;
    else if (paper == GuidePaper::DobleCarta)
        id = QPageSize::Tabloid;
    const QSizeF portrait = QPageSize(id).size(QPageSize::Millimeter);
    return orientation == GuideOrientation::Horizontal ? portrait.transposed() : portrait;
}

std::optional<GuidePaper> GuidePaperNamed(const QString& name) {
    const QString n = name.trimmed();
    if (n.compare(QStringLiteral("A4"), Qt::CaseInsensitive) == 0)
        return GuidePaper::A4;
    if (n.compare(QStringLiteral("Carta"), Qt::CaseInsensitive) == 0)
        return GuidePaper::Carta;
    if (n.compare(QStringLiteral("Doble carta"), Qt::CaseInsensitive) == 0)
        return GuidePaper::DobleCarta;
    return std::nullopt;
}

QString GuideColumnName(int column) {
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

QString GuideSquareName(int column, int row) {
    return GuideColumnName(column) + QString::number(row + 1);
}

QString GuidePlaceName(const GuidePlace& place) {
    return QStringLiteral("%1 %2").arg(place.page).arg(GuideSquareName(place.column, place.row));
}

std::optional<CGuideLayout> CGuideLayout::Make(const MapStore& store, const GuideOptions& options,
                                               QString& error) {
    if (!(options.scale >= kGuideMinScale && options.scale <= kGuideMaxScale)) {
        error = QCoreApplication::translate("Guide", "La escala debe estar entre 1 y 20.");
        return std::nullopt;
    }
    const MapRect town = TownBounds(store);
    if (town.IsEmpty()) {
        error = QCoreApplication::translate(
            "Guide", "El mapa no tiene manzanas: no hay plano que imprimir.");
        return std::nullopt;
    }

    CGuideLayout g;
    g.m_options = options;
    g.m_paper = GuidePaperMillimetres(options.paper, options.orientation);
    g.m_pagePixels = QSizeF(MmToPixels(g.m_paper.width()), MmToPixels(g.m_paper.height()));
    const double side = MmToPixels(kMarginMm + kNeighbourMm + kLabelMm);
    const double top = side + MmToPixels(kHeaderMm);
    const int w = FloorToInt(g.m_pagePixels.width() - 2 * side);
    const int h = FloorToInt(g.m_pagePixels.height() - top - side);
    if (w < 50 || h < 50) {
        error =
            QCoreApplication::translate("Guide", "El papel es demasiado pequeño para el plano.");
        return std::nullopt;
    }
    g.m_frame = QRectF(side, top, w, h);
    g.m_nColumns = std::max(1, static_cast<int>(std::lround(w / MmToPixels(kSquareMm))));
    g.m_nRows = std::max(1, static_cast<int>(std::lround(h / MmToPixels(kSquareMm))));

    const MapTransform probe(QSize(w, h), options.scale, QPoint());
    const QSize window = probe.WindowExtent(), viewport = probe.ViewportExtent();
    g.m_spanX = double(w) * std::abs(window.width()) / std::abs(viewport.width());
    g.m_spanY = double(h) * std::abs(window.height()) / std::abs(viewport.height());
    g.m_stepX = g.m_spanX * (1.0 - 2 * kOverlap);
    g.m_stepY = g.m_spanY * (1.0 - 2 * kOverlap);

    // The grid of pages centred on the town, so the margins left are even.
    const double townW = double(town.Width()), townH = double(town.Height());
    g.m_nGridColumns = std::max(1, static_cast<int>(std::ceil(townW / g.m_stepX)));
    g.m_nGridRows = std::max(1, static_cast<int>(std::ceil(townH / g.m_stepY)));
    if (std::int64_t{g.m_nGridColumns} * g.m_nGridRows > 100000) {
        error = QCoreApplication::translate(
            "Guide", "A esa escala el plano necesitaría demasiadas páginas.");
        return std::nullopt;
    }
    g.m_gridLeft = town.left + townW / 2 - g.m_nGridColumns * g.m_stepX / 2;
    g.m_gridTop = town.top + townH / 2 + g.m_nGridRows * g.m_stepY / 2;

    // Only the cells with something to show become pages.
    std::vector<char> used(static_cast<std::size_t>(g.m_nGridColumns) * g.m_nGridRows, 0);
    const auto cellColumn = [&](double x) {
        return std::clamp(FloorToInt((x - g.m_gridLeft) / g.m_stepX), 0, g.m_nGridColumns - 1);
    };
    const auto cellRow = [&](double y) {
        return std::clamp(FloorToInt((g.m_gridTop - y) / g.m_stepY), 0, g.m_nGridRows - 1);
    };
    const auto markBox = [&](double x0, double y0, double x1, double y1) {
        const int c0 = cellColumn(std::min(x0, x1)), c1 = cellColumn(std::max(x0, x1));
        const int r0 = cellRow(std::max(y0, y1)), r1 = cellRow(std::min(y0, y1));
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                used[static_cast<std::size_t>(r) * g.m_nGridColumns + c] = 1;
    };
    for (const CmBlock& block : store.m_blocks) {
        const auto outline = store.Outline(block);
        if (outline.empty())
            continue;
        float x0 = outline[0].x, x1 = x0, y0 = outline[0].y, y1 = y0;
        for (const FloatPoint& p : outline) {
            x0 = std::min(x0, p.x);
            x1 = std::max(x1, p.x);
            y0 = std::min(y0, p.y);
            y1 = std::max(y1, p.y);
        }
        markBox(x0, y0, x1, y1);
    }

    for (int r = 0; r < g.m_nGridRows; ++r) {
        for (int c = 0; c < g.m_nGridColumns; ++c) {
            if (!used[static_cast<std::size_t>(r) * g.m_nGridColumns + c])
                continue;
            GuidePage page;
            page.number = options.firstPage + static_cast<int>(g.m_pages.size());
            page.gridColumn = c;
            page.gridRow = r;
            page.coreLeft = g.m_gridLeft + c * g.m_stepX;
            page.coreRight = page.coreLeft + g.m_stepX;
            page.coreTop = g.m_gridTop - r * g.m_stepY;
            page.coreBottom = page.coreTop - g.m_stepY;
            const MapPoint centre{
                static_cast<std::int32_t>(std::lround((page.coreLeft + page.coreRight) / 2)),
                static_cast<std::int32_t>(std::lround((page.coreTop + page.coreBottom) / 2))};
            page.transform =
                MapTransform(QSize(w, h), options.scale, probe.OriginCentering(centre));
            g.m_pages.push_back(page);
        }
    }
    g.m_pageAt.assign(used.size(), -1);
    for (std::size_t i = 0; i < g.m_pages.size(); ++i)
        g.m_pageAt[static_cast<std::size_t>(g.m_pages[i].gridRow) * g.m_nGridColumns +
                   g.m_pages[i].gridColumn] = static_cast<int>(i);
    for (GuidePage& page : g.m_pages) {
        const auto numberAt = [&](int c, int r) {
            const GuidePage* other = g.PageAt(c, r);
            return other ? other->number : 0;
        };
        page.above = numberAt(page.gridColumn, page.gridRow - 1);
        page.below = numberAt(page.gridColumn, page.gridRow + 1);
        page.left = numberAt(page.gridColumn - 1, page.gridRow);
        page.right = numberAt(page.gridColumn + 1, page.gridRow);
    }
    return g;
}

QRectF CGuideLayout::SquarePixels(int column, int row) const {
    const double w = m_frame.width() / m_nColumns, h = m_frame.height() / m_nRows;
    return QRectF(column * w, row * h, w, h);
}

const GuidePage* CGuideLayout::PageAt(int gridColumn, int gridRow) const {
    if (gridColumn < 0 || gridRow < 0 || gridColumn >= m_nGridColumns || gridRow >= m_nGridRows)
        return nullptr;
    const int i = m_pageAt[static_cast<std::size_t>(gridRow) * m_nGridColumns + gridColumn];
    return i < 0 ? nullptr : &m_pages[static_cast<std::size_t>(i)];
}

const GuidePage* CGuideLayout::PageNumbered(int number) const {
    const int i = number - m_options.firstPage;
    if (i < 0 || i >= static_cast<int>(m_pages.size()))
        return nullptr;
    return &m_pages[static_cast<std::size_t>(i)];
}

std::optional<GuidePlace> CGuideLayout::PlaceOn(const GuidePage& page, MapPoint p) const {
    const QPoint pixel = page.transform.ToPixel(p);
    const std::int64_t w = page.transform.ClientSize().width();
    const std::int64_t h = page.transform.ClientSize().height();
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= w || pixel.y() >= h)
        return std::nullopt;
    return GuidePlace{page.number, static_cast<int>(pixel.x() * m_nColumns / w),
                      static_cast<int>(pixel.y() * m_nRows / h)};
}

std::optional<GuidePlace> CGuideLayout::PlaceOf(MapPoint p) const {
    const int c = FloorToInt((p.x - m_gridLeft) / m_stepX);
    const int r = FloorToInt((m_gridTop - p.y) / m_stepY);
    if (const GuidePage* own = PageAt(c, r))
        if (const auto place = PlaceOn(*own, p))
            return place;
    // Beyond the pages' own parts (past the town's edge, or where a cell had
    // nothing and got no page) a neighbour's overlap may still show it.
    const int cc = std::clamp(c, 0, m_nGridColumns - 1), rr = std::clamp(r, 0, m_nGridRows - 1);
    std::optional<GuidePlace> best;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if (const GuidePage* page = PageAt(cc + dc, rr + dr))
                if (const auto place = PlaceOn(*page, p); place && (!best || *place < *best))
                    best = place;
    return best;
}

void CGuideLayout::PlacesAlong(MapPoint a, MapPoint b, std::vector<GuidePlace>& out) const {
    // A quarter of a square's side between samples: a line cannot cross a
    // square without a sample in it, save at a corner's very tip.
    const double step = std::min(m_spanX / m_nColumns, m_spanY / m_nRows) / 4;
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double length = std::hypot(dx, dy);
    const int n = std::max(1, static_cast<int>(std::min(1e6, std::ceil(length / step))));
    std::optional<GuidePlace> last;
    for (int i = 0; i <= n; ++i) {
        const MapPoint p{static_cast<std::int32_t>(std::lround(a.x + dx * i / n)),
                         static_cast<std::int32_t>(std::lround(a.y + dy * i / n))};
        const auto place = PlaceOf(p);
        if (place && place != last)
            out.push_back(*place);
        last = place;
    }
}
