#pragma once

// What the GIS import, export and source listing share about GDAL: its drivers
// registered once, its messages kept off the terminal, texts in and out, and
// sources opened with a preset's options. Internal to the formats library: no
// public header of it includes GDAL.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <memory>

class CGisPreset;

void EnsureGdalRegistered();

// While alive, GDAL's messages on this thread are kept here instead of going to
// standard error, so that the person sees our Spanish message with GDAL's as a
// detail.
class CGdalErrorTrap {
public:
    CGdalErrorTrap();
    ~CGdalErrorTrap();
    CGdalErrorTrap(const CGdalErrorTrap&) = delete;
    CGdalErrorTrap& operator=(const CGdalErrorTrap&) = delete;

    QString LastError() const { return m_strLastError; }

private:
    static void CPL_STDCALL Handler(CPLErr level, CPLErrorNum number, const char* message);

    QString m_strLastError;
};

// A Spanish sentence (without its full stop) with a library's own words
// after it: "No se pudo escribir X: <words>", or "No se pudo escribir X."
// when the library said nothing.
QString WithGdalDetail(const QString& sentence, const QString& detail);

// A message of GDAL (or of SQLite, PROJ or the system through it) as the
// person is shown it after our sentence: trimmed, and without the ": Success"
// that follows a failure which set no system error.
QString GdalWords(const char* message);

// A text of a feature: UTF-8 as the drivers give it, or Windows-1252 from a
// source that did not say its encoding; trimmed.
QString TextFromGdal(const char* text);

// The files a preset ships beside itself (an OSM tag configuration), put in
// GDAL's memory file system for as long as this lives.
class CPresetFiles {
public:
    explicit CPresetFiles(const CGisPreset* preset);
    ~CPresetFiles();
    CPresetFiles(const CPresetFiles&) = delete;
    CPresetFiles& operator=(const CPresetFiles&) = delete;

    // The preset's open options for `driver`, "preset:NAME" replaced by the
    // memory file's path.
    QStringList OpenOptions(const QString& driver) const;

private:
    const CGisPreset* m_pPreset = nullptr;
    QString m_strFolder;
    QStringList m_paths;
};

// Opens a vector source. Null with a Spanish message when the file cannot be
// read or is in no format GDAL knows.
GDALDatasetUniquePtr OpenVectorSource(const QString& path, const CPresetFiles& files,
                                      QString& error);

// "EPSG:4326", a WKT text or anything else GDAL takes; null when it is none.
// Geographic coordinates are always taken as longitude, latitude.
std::unique_ptr<OGRSpatialReference> CrsFromText(const QString& text);
std::unique_ptr<OGRSpatialReference> CrsFromWkt(const QByteArray& wkt);
// "EPSG:6372 (Mexico ITRF2008 / LCC)", or the name alone.
QString DescribeCrs(const OGRSpatialReference& crs);
