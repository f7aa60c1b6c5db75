#pragma once

// Draws a whole map, layer after layer, into a QPainter in client pixels. The
// map window paints through it, and so do printing, the command-line tool and
// the tests, so every picture of a map comes from the same code.

#include "block_index.h"
#include "map_transform.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QStaticText>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CmCalles;
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
    // A white picture of the transform's client size with every layer drawn.
    QImage Render(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                  const MapOverlay& overlay = {});
    // Position of the topmost block whose region holds `p`, or -1.
    std::int64_t HitBlock(const MapStore& store, MapPoint p);
    // Rebuilds the block index; call it when a new map was loaded.
    void IndexBlocks(const MapStore& store);

private:
    void EnsureIndex(const MapStore& store);
    void DrawBlocks(QPainter& painter, const MapStore& store, const MapTransform& transform,
                    const MapRect& visible, bool fillAll);

    TextStyle Style(const QFont& font);

    CBlockIndex m_index;
    QHash<QString, TextLayouts> m_textLayouts; // by font key
    std::vector<std::uint32_t> m_visible;
    std::vector<QPoint> m_pixels;
};

// One frame of a map without any window: the same drawing as the window's.
QImage RenderMap(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                 const MapOverlay& overlay = {});

// COLORREF (0x00BBGGRR) to a Qt colour.
QColor ColorFromRef(std::uint32_t colorRef);
