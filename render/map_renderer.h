#pragma once

// Draws a whole map, layer after layer, into a QPainter in client pixels. The
// map window paints through it, and so do printing, the command-line tool and
// the tests, so every picture of a map comes from the same code.
//
// Only what can reach the pixels being drawn is drawn: blocks come from an
// index, labels from another, and every other item is skipped when its box on
// the screen (icon, name, line width included) misses them. A pan moves the
// last picture and draws only what it uncovers.

#include "block_index.h"
#include "map_transform.h"
#include "point_index.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QStaticText>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CmCalles;
class CmColonias;
class CmNegocios;
class CmRefe;
class CmVias;
class MapStore;
class QPainter;

// The control panel's layer switches, with the values the window starts with.
struct LayerSwitches {
    bool m_bShowStreetNames = false;   // "Mostrar nombres de las calles"
    bool m_bShowMarks = false;         // "Mostrar marcas"
    bool m_bShowReferences = true;     // "Mostrar referencias"
    bool m_bShowTracedStreets = false; // "Mostrar calles trazadas"
    bool m_bShowColonies = false;      // "Mostrar colonias"
    bool m_bShowAllRoutes = false;     // "Mostrar todas las Rutas"
    bool m_bFillBlocks = false;        // "Rellenar manzanas"; every map load turns it on
    bool m_bShowScaleBar = true;       // "Escala gráfica" of the Ver menu; drawn over the layers

    static LayerSwitches All();
    friend bool operator==(const LayerSwitches&, const LayerSwitches&) = default;
};

// What the window draws over the map while the user works on it.
struct MapOverlay {
    const CmCalles* traceStreet = nullptr; // a street being traced
    const CmVias* traceRoute = nullptr;    // a route or ruler being traced
    std::optional<MapRect> band;           // band selection corners, as dragged
    // Told the visible map rectangle once the layers are drawn (the guide window
    // follows the view through it).
    std::function<void(const MapRect&)> visibleRectDrawn;

    // Nothing is being traced or dragged.
    bool IsEmpty() const { return !traceStreet && !traceRoute && !band; }
};

// Laid-out texts of one font, kept between frames: shaping a text costs far
// more than drawing it.
using TextLayouts = std::unordered_map<std::string, QStaticText>;
struct TextStyle {
    QFont font;
    TextLayouts* layouts = nullptr;
};

class CMapRenderer {
public:
    // Draws every layer into `painter`, whose device is already cleared. Builds
    // the block index the first time it meets a block list.
    void DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& transform,
                    const LayerSwitches& layers, const MapOverlay& overlay = {});
    // The same, for the pixels of `area` (client pixels of `transform`) only:
    // whatever cannot reach them is not drawn. The device is cleared there.
    void DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& transform,
                    const LayerSwitches& layers, const MapOverlay& overlay, const QRect& area);
    // A white picture of the transform's client size with every layer drawn.
    QImage Render(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                  const MapOverlay& overlay = {});
    // Draws `area` of `frame` (a picture of the transform's client size) afresh:
    // white, then every layer, exactly as a whole frame has those pixels.
    void DrawArea(QImage& frame, const MapStore& store, const MapTransform& transform,
                  const LayerSwitches& layers, const QRect& area, const MapOverlay& overlay = {});

    // True when a frame drawn at `from` can be panned to `to`: the same client
    // size and scale, another origin.
    static bool CanPan(const MapTransform& from, const MapTransform& to);
    // Turns `frame`, drawn at `from` without an overlay, into the frame at `to`
    // (CanPan): the pixels move, and only what they uncover and what starts or
    // stops showing at the edges is drawn. Gives back the pixels drawn.
    QRegion PanFrame(QImage& frame, const MapStore& store, const MapTransform& from,
                     const MapTransform& to, const LayerSwitches& layers);

    // Position of the topmost block whose region holds `p`, or -1.
    std::int64_t HitBlock(const MapStore& store, MapPoint p);
    // Rebuilds the block index; call it when a new map was loaded.
    void IndexBlocks(const MapStore& store);

    // Off, every item is drawn wherever it is and only the painter clips: for
    // checking that culling changes no pixel.
    void SetCulling(bool on) { m_bCulling = on; }

private:
    struct Frame;

    void EnsureIndex(const MapStore& store);
    void DrawBlocks(QPainter& painter, const MapStore& store, const Frame& frame, bool fillAll);
    void DrawPlaces(QPainter& painter, const MapStore& store, const Frame& frame,
                    const LayerSwitches& layers);
    void DrawLabels(QPainter& painter, const MapStore& store, const Frame& frame);
    void DrawStreet(QPainter& painter, const Frame& frame, const CmCalles& street, bool showLayer);
    void DrawLine(QPainter& painter, const Frame& frame, const std::vector<MapPoint>& points,
                  QColor color, int pen);
    void DrawRoute(QPainter& painter, const Frame& frame, const CmVias& route, bool showLayer,
                   const TextStyle& stationFont);
    void DrawBusinesses(QPainter& painter, const MapStore& store, const Frame& frame);
    // The pixels of what starts or stops showing when the view moves from
    // `from` to `to`: items placed by a point are drawn only while it is in view.
    std::vector<QRect> AnchorChanges(const MapStore& store, const MapTransform& from,
                                     const MapTransform& to, const LayerSwitches& layers);
    // The boxes of the traced streets and routes, found once for all the
    // parts a pan step draws.
    void BeginBatch();
    void EndBatch() { m_bBatch = false; }
    MapRect PointsBox(const CmCalles& line);
    template <typename T, typename Fn>
    void ForEach(const std::vector<std::unique_ptr<T>>& list, const std::vector<const T*>& inView,
                 Fn&& fn) const;

    TextStyle Style(const QFont& font);
    const QStaticText& Layout(const TextStyle& style, const std::string& utf8);

    CBlockIndex m_index;
    CPointIndex m_labelIndex;
    QHash<QString, TextLayouts> m_textLayouts; // by font key
    std::vector<std::uint32_t> m_visible;
    std::vector<QPoint> m_pixels;
    std::unordered_map<const CmCalles*, MapRect> m_lineBoxes;
    std::unordered_map<const CmVias*, QRect> m_stationBoxes;
    // The places and businesses in view during a pan step.
    std::vector<const CmRefe*> m_batchReferences;
    std::vector<const CmColonias*> m_batchColonies;
    std::vector<const CmNegocios*> m_batchBusinesses;
    bool m_bBatch = false;
    bool m_bCulling = true;
};

// One frame of a map without any window: the same drawing as the window's.
QImage RenderMap(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                 const MapOverlay& overlay = {});

// COLORREF (0x00BBGGRR) to a Qt colour.
QColor ColorFromRef(std::uint32_t colorRef);
