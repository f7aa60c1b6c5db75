#include "map_layers.h"

#include "block_layer.h"
#include "business_layer.h"
#include "label_layer.h"
#include "line_layer.h"
#include "place_layer.h"

#include <QStringList>
#include <iterator>

namespace {

template <typename Layer>
std::unique_ptr<CMapLayer> Make(LayerParts&) {
    return std::make_unique<Layer>();
}

std::unique_ptr<CMapLayer> MakeBlocks(LayerParts& parts) {
    return std::make_unique<CBlockLayer>(parts.blocks);
}

// The messages are numbered as the program's messages (UserMessage) number them.
constexpr MapLayerRow kMapLayers[] = {
    {"relleno", &LayerSwitches::m_bFillBlocks, false, MakeBlocks, 0x8A /* UM_FILL_BLOCKS */, 1054,
     QT_TRANSLATE_NOOP("Layer", "Rellenar manzanas"), 6},
    {"referencias", &LayerSwitches::m_bShowReferences, true, Make<CPlaceLayer>,
     0x8E /* UM_SHOW_REFERENCES */, 1024, QT_TRANSLATE_NOOP("Layer", "Mostrar referencias"), 2},
    {"colonias", &LayerSwitches::m_bShowColonies, false, Make<CPlaceLayer>,
     0x89 /* UM_SHOW_COLONIES */, 1069, QT_TRANSLATE_NOOP("Layer", "Mostrar colonias"), 3},
    {"nombres", &LayerSwitches::m_bShowStreetNames, false, Make<CLabelLayer>,
     0x94 /* UM_SHOW_STREET_NAMES */, 1008,
     QT_TRANSLATE_NOOP("Layer", "Mostrar nombres de las calles"), 0},
    {"calles", &LayerSwitches::m_bShowTracedStreets, false, Make<CLineLayer>,
     0x8C /* UM_SHOW_TRACED_STREETS */, 1025, QT_TRANSLATE_NOOP("Layer", "Mostrar calles trazadas"),
     4},
    {"rutas", &LayerSwitches::m_bShowAllRoutes, false, Make<CLineLayer>,
     0x8B /* UM_SHOW_ALL_ROUTES */, 1053, QT_TRANSLATE_NOOP("Layer", "Mostrar todas las Rutas"), 5},
    {"marcas", &LayerSwitches::m_bShowMarks, false, Make<CBusinessLayer>, 0x93 /* UM_SHOW_MARKS */,
     1020, QT_TRANSLATE_NOOP("Layer", "Mostrar marcas"), 1},
    // "Escala gráfica" of the Ver menu.
    {"escala", &LayerSwitches::m_bShowScaleBar, true, nullptr, 0, 0, nullptr, -1},
};

// Every switch is a bool with its row, so none is left without a start value.
static_assert(sizeof(LayerSwitches) == std::size(kMapLayers) * sizeof(bool));

} // namespace

std::span<const MapLayerRow> MapLayers() {
    return kMapLayers;
}

const MapLayerRow* MapLayerOf(bool LayerSwitches::*switched) {
    for (const MapLayerRow& row : kMapLayers) {
        if (row.switched == switched)
            return &row;
    }
    return nullptr;
}

LayerSwitches::LayerSwitches() {
    for (const MapLayerRow& row : kMapLayers)
        this->*row.switched = row.on;
}

LayerSwitches LayerSwitches::All() {
    LayerSwitches all;
    for (const MapLayerRow& row : kMapLayers)
        all.*row.switched = true;
    return all;
}

bool LayerSwitchesNamed(const QString& text, LayerSwitches& out) {
    if (text == QLatin1String("all")) {
        out = LayerSwitches::All();
        return true;
    }
    LayerSwitches layers;
    for (const MapLayerRow& row : kMapLayers)
        layers.*row.switched = false;
    if (!text.isEmpty() && text != QLatin1String("none")) {
        for (const QString& name : text.split(QLatin1Char(','))) {
            const QString n = name.trimmed();
            const MapLayerRow* named = nullptr;
            for (const MapLayerRow& row : kMapLayers) {
                if (n == QLatin1String(row.name))
                    named = &row;
            }
            if (!named)
                return false;
            layers.*named->switched = true;
        }
    }
    out = layers;
    return true;
}
