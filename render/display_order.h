#pragma once

// The one order of every sorted list a person sees (the catalogue, the
// category box, the business list, the categories dialog, the printed guide's
// index): Spanish, with letter case and accents ignored and ñ after n. The map
// file keeps its own order (Windows-1252 bytes); this order is only for showing.

#include <QStringList>

// Negative, zero or positive as `a` goes before, with or after `b`. Names that
// differ only in case still get a fixed order, so a list never depends on the
// order its lines came in.
int CompareForDisplay(const QString& a, const QString& b);
inline bool DisplayLess(const QString& a, const QString& b) {
    return CompareForDisplay(a, b) < 0;
}
void SortForDisplay(QStringList& names);
