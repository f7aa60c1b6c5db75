// veltrix-tool import: makes a town from GIS sources (an OpenStreetMap extract,
// shapefiles, GeoPackage, GeoJSON, CSV) as a preset says, with its overview
// picture and, beside the map, its georeference (TOWN.prj). Nothing is written
// unless the whole import worked.

#include "commands.h"
#include "file_guard.h"
#include "gis_source.h"
#include "gis_town.h"
#include "map_georeference.h"
#include "map_save.h"
#include "overview_picture.h"
#include "problem_text.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <limits>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

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
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "No se reconoce de dónde vienen las fuentes: indique el "
                                      "preajuste con --preset (%1 o un archivo).")
                              .arg(CGisPreset::BuiltinNames().join(QStringLiteral(", "))));
        return nullptr;
    }
    auto preset = CGisPreset::Load(guessed, error);
    if (!preset)
        PrintLine(stderr, error);
    return preset;
}

} // namespace

int RunImport(const QStringList& args) {
    CCommandParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QCoreApplication::translate("Tool", "El mapa que se crea."),
                                    QCoreApplication::translate("Tool", "salida"));
    const QCommandLineOption preset(
        QStringLiteral("preset"),
        QCoreApplication::translate("Tool", "osm, inegi, veltrix o un archivo de preajuste."),
        QCoreApplication::translate("Tool", "preajuste"));
    const QCommandLineOption country(QStringLiteral("country"),
                                     QCoreApplication::translate("Tool", "País."),
                                     QCoreApplication::translate("Tool", "texto"));
    const QCommandLineOption state(QStringLiteral("state"),
                                   QCoreApplication::translate("Tool", "Estado."),
                                   QCoreApplication::translate("Tool", "texto"));
    const QCommandLineOption town(QStringLiteral("town"),
                                  QCoreApplication::translate("Tool", "Ciudad."),
                                  QCoreApplication::translate("Tool", "texto"));
    const QCommandLineOption area(
        QStringLiteral("area"),
        QCoreApplication::translate(
            "Tool", "El pueblo es este rectángulo en grados, en lugar del lugar de --town."),
        QStringLiteral("lon0,lat0,lon1,lat1"));
    const QCommandLineOption boundary(
        QStringLiteral("boundary"),
        QCoreApplication::translate("Tool",
                                    "El pueblo es lo que encierran los polígonos de este archivo."),
        QCoreApplication::translate("Tool", "archivo"));
    const QCommandLineOption progress(
        QStringLiteral("progress"),
        QCoreApplication::translate("Tool", "El avance en la salida de errores."));
    const QCommandLineOption crs(
        QStringLiteral("crs"),
        QCoreApplication::translate("Tool", "Sistema de coordenadas de las capas que no "
                                            "lo dicen (EPSG:N)."),
        QStringLiteral("crs"));
    parser.addPositionalArgument(
        QCoreApplication::translate("Tool", "fuente..."),
        QCoreApplication::translate("Tool", "Los archivos de datos geográficos, uno o más."));
    const QCommandLineOption force = ForceOption();
    parser.addOptions({output, preset, country, state, town, area, boundary, progress, crs, force});
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("import"), args, 1,
                                           std::numeric_limits<qsizetype>::max()))
        return *done;
    const QString mapPath = parser.value(output);
    if (mapPath.isEmpty()) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Falta el mapa de salida (-o)."));
        return kExitUsage;
    }
    if (QFileInfo(mapPath).suffix().compare(QLatin1String("map"), Qt::CaseInsensitive) != 0) {
        PrintLine(stderr,
                  QCoreApplication::translate("Tool", "El mapa de salida debe terminar en .map."));
        return kExitUsage;
    }
    if (parser.isSet(area) && parser.isSet(boundary)) {
        PrintLine(stderr,
                  QCoreApplication::translate("Tool", "Indique --area o --boundary, no los dos."));
        return kExitUsage;
    }
    if (!MayWriteMap(mapPath, parser.isSet(force)))
        return kExitFailed;
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

#if defined(__GLIBC__)
    // Noding and polygonizing the streets make and free millions of small
    // objects in bursts; glibc's fast bins then cost more in consolidation
    // than they save (about 5 % of a large import). The process does nothing
    // else from here on.
    mallopt(M_MXFAST, 0);
#endif
    GisImportOptions options;
    options.sources = sources;
    options.country = parser.value(country);
    options.state = parser.value(state);
    options.town = parser.value(town);
    options.area = parser.value(area);
    options.boundaryFile = parser.value(boundary);
    options.crs = parser.value(crs);
    options.replaceReadOnly = parser.isSet(force);
    GisProgress printer;
    if (parser.isSet(progress))
        printer = [](int percent) {
            PrintLine(stderr, QStringLiteral("%1 %").arg(percent));
            return true;
        };
    const GisTownResult result = MakeGisTown(
        *chosen, options, mapPath, [](const MapStore& made) { return MakeOverviewJpeg(made); },
        printer);
    if (!result.Done()) {
        if (result.stage == GisTownResult::Stage::Save)
            PrintLine(stderr, (IsReadOnlyFile(SaveTarget(LocalPath(mapPath)))
                                   ? QCoreApplication::translate(
                                         "Tool", "%1: %2 %3 Use --force para reemplazarlo.")
                                   : QStringLiteral("%1: %2 %3"))
                                  .arg(mapPath, ProblemText(SaveErrorText()), result.error));
        else
            PrintLine(stderr, result.error);
        return kExitFailed;
    }
    for (const QString& line : GisTownSummary(mapPath, *result.store, result.report))
        PrintLine(stdout, line);
    return kExitOk;
}
