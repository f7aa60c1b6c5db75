#pragma once

// What a picture of the map shows: the control panel's layer switches, and
// what the user is working on, drawn over the layers.

#include "geometry.h"

#include <functional>
#include <optional>

class CmCalles;
class CmVias;

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

    static LayerSwitches All() { return {true, true, true, true, true, true, true, true}; }
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
