#pragma once

// The printed guide's pages: the town cut into numbered map pages that overlap
// their neighbours a little, each with a grid of squares lettered across and
// numbered down, so that every point of the map has a place "page, square"
// that the index, the directory and the pages themselves agree on.
//
// A page shows what the map window shows at the guide's scale in a window the
// size of the page's map frame, one window pixel printed as a pixel of a
// 96 dpi screen: scale 10 puts one map unit on a screen pixel, 1:7 565 on paper.

#include "geometry.h"
#include "map_transform.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class MapStore;

enum class GuidePaper { A4, Carta, DobleCarta };
enum class GuideOrientation { Vertical, Horizontal };

// The printed pixel: the map is drawn page pixel for screen pixel.
inline constexpr double kGuideDpi = 96.0;
inline constexpr float kGuideMinScale = 1.0f;
inline constexpr float kGuideMaxScale = 20.0f;

struct GuideOptions {
    float scale = 12.0f;
    GuidePaper paper = GuidePaper::A4;
    GuideOrientation orientation = GuideOrientation::Vertical;
    // The number the first map page carries: the cover and the key map come first.
    int firstPage = 3;
};

// Paper size in millimetres, turned for the orientation.
QSizeF GuidePaperMillimetres(GuidePaper paper, GuideOrientation orientation);
// "A4", "Carta", "Doble carta"; nothing for another name.
std::optional<GuidePaper> GuidePaperNamed(const QString& name);

// One square of one page.
struct GuidePlace {
    int page = 0;   // the number printed on the page
    int column = 0; // 0 is "A"
    int row = 0;    // 0 is "1"
    friend bool operator==(const GuidePlace&, const GuidePlace&) = default;
    friend auto operator<=>(const GuidePlace&, const GuidePlace&) = default;
};

// "A", "B", ... "Z", "AA", ...
QString GuideColumnName(int column);
// "C3".
QString GuideSquareName(int column, int row);
// "12 C3".
QString GuidePlaceName(const GuidePlace& place);

struct GuidePage {
    int number = 0;
    int gridColumn = 0; // in the town's grid of pages, west first
    int gridRow = 0;    // north first
    // The part of the town that is this page's alone (neighbours show its edge
    // too) and the whole of what the frame shows, in map units.
    double coreLeft = 0, coreRight = 0, coreBottom = 0, coreTop = 0; // y up: top > bottom
    MapTransform transform;                                          // map units to frame pixels
    // The pages that join this one; 0 where none does.
    int above = 0, below = 0, left = 0, right = 0;
};

class CGuideLayout {
public:
    // Nothing, with `error` in Spanish, for a map without blocks, a scale out of
    // range or a paper too small for a frame.
    static std::optional<CGuideLayout> Make(const MapStore& store, const GuideOptions& options,
                                            QString& error);

    const GuideOptions& Options() const { return m_options; }
    QSizeF PaperMillimetres() const { return m_paper; }
    // The page in pixels and the map frame inside it.
    QSizeF PagePixels() const { return m_pagePixels; }
    QRectF Frame() const { return m_frame; }
    int Columns() const { return m_nColumns; }
    int Rows() const { return m_nRows; }
    // The frame pixels of one square.
    QRectF SquarePixels(int column, int row) const;

    const std::vector<GuidePage>& Pages() const { return m_pages; }
    const GuidePage* PageNumbered(int number) const;
    int GridColumns() const { return m_nGridColumns; }
    int GridRows() const { return m_nGridRows; }

    // The place of a map point: on the page whose own part holds it, or, for a
    // point beyond every page's own part, on a page whose frame shows it.
    // Nothing for a point no page shows.
    std::optional<GuidePlace> PlaceOf(MapPoint p) const;
    // The square of `page` where the point is drawn; nothing off its frame.
    std::optional<GuidePlace> PlaceOn(const GuidePage& page, MapPoint p) const;

    // The places a line from `a` to `b` passes through, added to `out`
    // (duplicates are the caller's to drop).
    void PlacesAlong(MapPoint a, MapPoint b, std::vector<GuidePlace>& out) const;

private:
    CGuideLayout() = default;
    const GuidePage* PageAt(int gridColumn, int gridRow) const;

    GuideOptions m_options;
    QSizeF m_paper;
    QSizeF m_pagePixels;
    QRectF m_frame;
    int m_nColumns = 1;
    int m_nRows = 1;
    double m_spanX = 0, m_spanY = 0; // map units the frame shows
    double m_stepX = 0, m_stepY = 0; // a page's own part
    double m_gridLeft = 0, m_gridTop = 0;
    int m_nGridColumns = 0;
    int m_nGridRows = 0;
    std::vector<GuidePage> m_pages;
    std::vector<int> m_pageAt; // grid cell to index in m_pages, -1 for none
};
