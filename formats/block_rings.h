#pragma once

// The blocks' outlines of an import, in the local projection: one per outer
// ring of the block polygons when the sources have them, else the faces of
// the street network; each with the block type of the area it lies in.
// Internal to the formats library.

#include "gis_import_run.h"

#include <QString>

#include <utility>
#include <vector>

// Fills `rings` (closed outlines with their block types) and `zones` (the
// zone each belongs to, or empty), counting what it repairs and leaves out.
// False when no block comes out, or the geometry library fails.
bool MakeBlockRings(CGisImportRun& run, std::vector<std::pair<Polyline, int>>& rings,
                    std::vector<QString>& zones);
