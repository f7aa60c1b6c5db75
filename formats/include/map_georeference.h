#pragma once

// Where a map lies on the earth. The map file has no room for it, so it goes
// beside the map: TOWN.prj holds the map's coordinate system as WKT, a
// transverse Mercator centred on the town whose linear unit is one map unit
// (2.001555 m), so that GIS tools and the export can put the map back.

#include "street.h" // kMetresPerMapUnit

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// "ciudad.map" -> "ciudad.prj", beside it.
QString GeoreferencePath(const QString& mapPath);

// Reads the map's georeference. True with an empty `wkt` when the map has none;
// false with a Spanish message when the file is there but unreadable or not a
// coordinate system.
bool ReadGeoreference(const QString& mapPath, QByteArray& wkt, QString& error);

// Whether a person typed a coordinate system's code, EPSG:N with N of digits
// only, that GDAL knows; false with a Spanish message.
bool CheckCrs(const QString& text, QString& error);

// Writes a map's georeference around the map's own save: Prepare() writes it
// aside before the map is saved, Commit() puts it in place once the save
// worked, and anything else (Cancel(), or destruction) leaves the old one, or
// none, as it was. A link another user planted where the file goes is refused
// (see TrustedWriteTarget); the user's own is followed.
class CGeoreferenceFile {
public:
    explicit CGeoreferenceFile(const QString& mapPath);

    bool Prepare(const QByteArray& wkt, QString& error);
    bool Commit(QString& error);
    void Cancel();

private:
    QSaveFile m_file;
};
