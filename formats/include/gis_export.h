#pragma once

// Gives a town back to GIS tools: every layer of the map (blocks with their id,
// type and zone; labels; streets; references; colonies; routes and their
// stations; businesses with their category; the header: country, state and
// town) written through GDAL as GeoJSON,
// GeoPackage, Shapefile, KML or CSV, in the map's own coordinate system or any
// other. Formats that hold one layer per file get one file per layer, named
// after the output: "pueblo.shp" gives "pueblo-manzanas.shp", "pueblo-calles.shp"...
// Every file is written aside first, beside the file it replaces, and they
// all go in place together: a failure leaves every old file as it was.
// Texts that a spreadsheet would run as formulas go into CSV with an
// apostrophe before them.

#include "gis_export_format.h"
#include "map_store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class FileOps;

class CGisExport {
public:
    // `georeference` is the map's coordinate system as WKT (TOWN.prj); empty
    // when the map has none, and the export is then in map units. `ops` makes
    // the file operations of putting the files in place (the tests make them fail).
    CGisExport(const MapStore& store, QByteArray georeference);
    CGisExport(const MapStore& store, QByteArray georeference, FileOps& ops);
    ~CGisExport();
    CGisExport(const CGisExport&) = delete;
    CGisExport& operator=(const CGisExport&) = delete;

    // Writes the layers and puts them in place, replacing whatever is there.
    // `crs` is the output's coordinate system ("EPSG:4326"); empty keeps the
    // map's own, except GeoJSON and KML, which are longitude and latitude by
    // nature. False with ErrorString() in Spanish (English with the editor's
    // English catalogue installed).
    bool Write(const QString& path, const QString& crs);

    // The same in two steps, so that the caller may ask before anything is
    // replaced: Prepare() writes every file aside, Existing() and ReadOnly()
    // then say which files would be replaced, Commit() puts them all in place
    // and Cancel() (or destruction) throws them away.
    bool Prepare(const QString& path, const QString& crs);
    // The files already there that Commit() replaces, as the output names them.
    const QStringList& Existing() const { return m_existing; }
    // Those of them the person may not write.
    const QStringList& ReadOnly() const { return m_readOnly; }
    bool Commit();
    void Cancel();

    const QString& ErrorString() const { return m_strError; }
    const QStringList& Warnings() const { return m_warnings; }
    // The files written, one per layer or one for all.
    const QStringList& Files() const { return m_files; }

private:
    // One file written aside: where it waits and the file it becomes (the end
    // of the output's links).
    struct Staged {
        std::string temp;
        std::string target;
        std::string backup; // the old file's second name while Commit() runs
        bool existed = false;
    };
    bool Stage(const QString& written, const QString& output);
    // Stages every file written in the folder `work` for its place in `folder`.
    bool StageAll(const QString& work, const QString& folder);
    bool Fail(const QString& error);

    const MapStore& m_store;
    FileOps& m_ops;
    std::vector<Staged> m_staged;
    QStringList m_existing;
    QStringList m_readOnly;
    QByteArray m_georeference;
    QString m_strError;
    QStringList m_warnings;
    QStringList m_files;
};
