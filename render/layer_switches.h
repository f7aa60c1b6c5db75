#pragma once

// What a picture of the map shows: the control panel's layer switches, and
// what the user is working on, drawn over the layers.

#include "geometry.h"

#include <functional>
#include <optional>

class CmCalles;
class CmVias;

// The control panel's layer switches. Each is a row of the layer table
// (map_layers.h), which gives the value a new window starts with.
struct LayerSwitches {
    LayerSwitches();

    bool m_bShowStreetNames;   // "Mostrar nombres de las calles"
    bool m_bShowMarks;         // "Mostrar marcas"
    bool m_bShowReferences;    // "Mostrar referencias"
    bool m_bShowTracedStreets; // "Mostrar calles trazadas"
    bool m_bShowColonies;      // "Mostrar colonias"
    bool m_bShowAllRoutes;     // "Mostrar todas las Rutas"
    bool m_bFillBlocks;        // "Rellenar manzanas"; every map load turns it on
    bool m_bShowScaleBar;      // "Escala gráfica" of the Ver menu; drawn over the layers

    // Every switch on.
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
