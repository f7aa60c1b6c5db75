#pragma once

// Runs an import and writes its town (MakeGisTown) on a worker thread, while
// a progress window shows how far it got and lets the person cancel it. The
// editor stays responsive: it repaints and the window can be moved, but takes
// no other command until the import is over. The import touches no widget, so
// the thread is safe; the preset and options belong to the caller and must
// stay as they are until this returns.

#include "gis_town.h"

#include <QString>

class QWidget;

GisTownResult RunGisImportWithProgress(QWidget* parent, const CGisPreset& preset,
                                       const GisImportOptions& options, const QString& mapPath);
