// veltrix-tool import: makes a town from GIS sources (an OpenStreetMap extract,
// shapefiles, GeoPackage, GeoJSON, CSV) as a preset says, with its overview
// picture and, beside the map, its georeference (TOWN.prj). Nothing is written
// unless the whole import worked.

#include "commands.h"
#include "gis_import.h"
#include "gis_source.h"
#include "map_georeference.h"
#include "overview_picture.h"
#include "tool_support.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

constexpr int kPictureWidth = 512;

QString Count(std::size_t n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// The preset named, or the one the sources show. Null after saying why; `usage`
// tells a wrong call from bad data.
std::unique_ptr<CGisPreset> ChoosePreset(const QString& named, const QStringList& sources,
                                         bool& usage) {
    QString error;
    if (!named.isEmpty()) {
        auto preset = CGisPreset::Load(named, error);
        if (!preset) {
            usage = !QFileInfo::exists(named);
            PrintLine(stderr, error);
        }
        return preset;
    }
    QList<GisSourceInfo> infos;
    for (const QString& source : sources) {
        GisSourceInfo info;
        if (!InspectGisSource(source, nullptr, info, error, false)) {
            PrintLine(stderr, error);
            return nullptr;
        }
        infos.append(info);
    }
    const QString guessed = GuessGisPreset(infos);
    if (guessed.isEmpty()) {
        usage = true;
        PrintLine(stderr, QStringLiteral("No se reconoce de dónde vienen las fuentes: indique el "
                                         "preajuste con --preset (%1 o un archivo).")
                              .arg(CGisPreset::BuiltinNames().join(QStringLiteral(", "))));
        return nullptr;
    }
    auto preset = CGisPreset::Load(guessed, error);
    if (!preset)
        PrintLine(stderr, error);
    return preset;
}

void PrintSummary(const QString& path, const MapStore& store, const GisImportReport& report) {
    std::size_t businesses = 0, stations = 0;
    for (const auto& category : store.m_directory.m_listCategories)
        businesses += category->m_listBusinesses.size();
    for (const auto& route : store.m_listRoutes)
        stations += route->m_stations.size();
    PrintLine(stdout,
              QStringLiteral("%1: %2, %3, %4, %5, %6, %7 en %8, %9 con %10.")
                  .arg(path, Count(store.m_blocks.size(), "manzana", "manzanas"),
                       Count(store.m_listStreets.size(), "calle trazada", "calles trazadas"),
                       Count(store.m_labels.size(), "etiqueta", "etiquetas"),
                       Count(store.m_listReferences.size(), "referencia", "referencias"),
                       Count(store.m_listColonies.size(), "colonia", "colonias"),
                       Count(businesses, "negocio", "negocios"),
                       Count(store.m_directory.m_listCategories.size(), "categoría", "categorías"),
                       Count(store.m_listRoutes.size(), "ruta", "rutas"))
                  .arg(Count(stations, "estación", "estaciones")));
    PrintLine(stdout, QStringLiteral("Ciudad: %1 (%2)")
                          .arg(QString::fromStdString(store.m_strTitle), GeoreferencePath(path)));
    const std::pair<std::size_t, const char*> notes[] = {
        {report.repairedRings, "polígonos no válidos reparados"},
        {report.skippedRings, "polígonos que no sirven de manzana, descartados"},
        {report.tinyFaces, "huecos entre calles demasiado pequeños para ser manzana"},
        {report.hugeFaces, "áreas entre calles demasiado grandes para ser manzana"},
        {report.outside, "elementos lejos del pueblo o fuera del alcance del mapa, descartados"},
        {report.unnamed, "elementos sin nombre, descartados"},
    };
    for (const auto& [n, what] : notes)
        if (n > 0)
            PrintLine(stdout, QStringLiteral("Aviso: %1 %2.").arg(n).arg(QString::fromUtf8(what)));
    if (!report.unusedLayers.isEmpty())
        PrintLine(stdout, QStringLiteral("Capas sin usar: %1.")
                              .arg(report.unusedLayers.join(QStringLiteral(", "))));
}

} // namespace

int RunImport(const QStringList& args) {
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("El mapa que se crea."),
                                    QStringLiteral("salida"));
    const QCommandLineOption preset(
        QStringLiteral("preset"), QStringLiteral("osm, inegi, veltrix o un archivo de preajuste."),
        QStringLiteral("preajuste"));
    const QCommandLineOption country(QStringLiteral("country"), QStringLiteral("País."),
                                     QStringLiteral("texto"));
    const QCommandLineOption state(QStringLiteral("state"), QStringLiteral("Estado."),
                                   QStringLiteral("texto"));
    const QCommandLineOption town(QStringLiteral("town"), QStringLiteral("Ciudad."),
                                  QStringLiteral("texto"));
    const QCommandLineOption progress(QStringLiteral("progress"),
                                      QStringLiteral("El avance en la salida de errores."));
    const QCommandLineOption crs(QStringLiteral("crs"),
                                 QStringLiteral("Sistema de coordenadas de las capas que no "
                                                "lo dicen (EPSG:N)."),
                                 QStringLiteral("crs"));
    parser.addOptions({output, preset, country, state, town, progress, crs});
    if (!ParseCommandArgs(parser, QStringLiteral("import"), args, 1,
                          std::numeric_limits<qsizetype>::max()))
        return kExitUsage;
    const QString mapPath = parser.value(output);
    if (mapPath.isEmpty()) {
        PrintLine(stderr, QStringLiteral("Falta el mapa de salida (-o)."));
        return kExitUsage;
    }
    if (QFileInfo(mapPath).suffix().compare(QLatin1String("map"), Qt::CaseInsensitive) != 0) {
        PrintLine(stderr, QStringLiteral("El mapa de salida debe terminar en .map."));
        return kExitUsage;
    }
    QString error;
    if (parser.isSet(crs) && !CheckCrs(parser.value(crs), error)) {
        PrintLine(stderr, error);
        return kExitUsage;
    }
    const QStringList sources = parser.positionalArguments();
    bool usage = false;
    const auto chosen = ChoosePreset(parser.value(preset), sources, usage);
    if (!chosen)
        return usage ? kExitUsage : kExitFailed;

    GisImportOptions options;
    options.sources = sources;
    options.country = parser.value(country);
    options.state = parser.value(state);
    options.town = parser.value(town);
    options.crs = parser.value(crs);
    CGisImport importer(*chosen, options);
    if (parser.isSet(progress))
        importer.SetProgress([](int percent) {
            PrintLine(stderr, QStringLiteral("%1 %").arg(percent));
            return true;
        });
    const std::unique_ptr<MapStore> store = importer.Run();
    if (!store) {
        PrintLine(stderr, importer.ErrorString());
        return kExitFailed;
    }
    const std::vector<std::uint8_t> picture = MakeOverviewJpeg(*store, kPictureWidth);
    if (picture.empty()) {
        PrintLine(stderr, QStringLiteral("No se pudo crear la imagen del mapa."));
        return kExitFailed;
    }

    // The georeference is written aside first and put in place only after the
    // map saved, so that a failure leaves neither file behind.
    CGeoreferenceFile prj(mapPath);
    if (!prj.Prepare(importer.Georeference(), error)) {
        PrintLine(stderr, error);
        return kExitFailed;
    }
    const bool mapExisted = QFileInfo::exists(mapPath);
    if (!SaveMapForTool(*store, mapPath, picture)) {
        prj.Cancel();
        return kExitFailed;
    }
    if (!prj.Commit(error)) {
        if (!mapExisted)
            QFile::remove(mapPath);
        PrintLine(stderr, error);
        return kExitFailed;
    }
    PrintSummary(mapPath, *store, importer.Report());
    return kExitOk;
}
