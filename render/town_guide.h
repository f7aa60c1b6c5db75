#pragma once

// The printed town guide as a PDF file: a cover with the town's names, its
// overview picture and the date; a key map with the map pages outlined and
// numbered; the map pages with their grids; then the street index, the
// directory, the references and the colonies with the squares where each lies.
// Everything stays vector: the map is drawn by the renderer the window uses,
// and every text can be searched and copied.

#include "guide_index.h"
#include "guide_layout.h"
#include "layer_switches.h"

#include <QImage>
#include <QString>

#include <functional>

class MapStore;

// The layers a guide shows unless told otherwise: everything a reader looks
// for, without the routes.
LayerSwitches GuideLayers();

// Told after each page with the pages done and the pages there are; a false
// answer stops the guide, and nothing is written.
using GuideProgress = std::function<bool(int done, int total)>;

struct GuideRequest {
    const MapStore& store;
    GuideOptions options;
    LayerSwitches layers = GuideLayers();
    QImage overview; // the map's picture, null when it has none
    GuideProgress progress;
};

// The pages the guide will have, and the PDF itself, written through a
// temporary file and renamed, so a failed or stopped guide leaves no file and
// an older one as it was; a link another user planted at `path` is refused.
// False with the reason in Spanish (empty when the progress stopped it).
bool WriteTownGuide(const QString& path, const GuideRequest& request, QString& error);

// The scale on paper, 1:N, that a page shows.
int GuidePaperScale(const CGuideLayout& layout);
