// veltrix-tool export: gives every layer of a map to GIS tools as GeoJSON,
// GeoPackage, Shapefile, KML or CSV, placed on the earth by the map's
// georeference (TOWN.prj) when it has one.

#include "commands.h"
#include "file_guard.h"
#include "gis_export.h"
#include "map_georeference.h"
#include "problem_text.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

int RunExport(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "mapa"),
                                 QCoreApplication::translate("Tool", "El mapa que se exporta."));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QCoreApplication::translate("Tool", "El archivo que se escribe."),
        QCoreApplication::translate("Tool", "salida"));
    const QCommandLineOption crs(
        QStringLiteral("crs"),
        QCoreApplication::translate("Tool", "Sistema de coordenadas de la salida (EPSG:N)."),
        QStringLiteral("crs"));
    const QCommandLineOption force(
        QStringLiteral("force"),
        QCoreApplication::translate(
            "Tool", "Reemplaza los archivos que ya existan, aunque sean de solo lectura."));
    parser.addOptions({output, crs, force});
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("export"), args, 1))
        return *done;
    const QString mapPath = parser.positionalArguments().first();
    const QString outPath = parser.value(output);
    if (outPath.isEmpty()) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Falta el archivo de salida (-o)."));
        return kExitUsage;
    }
    if (!GisExportFormatOf(QFileInfo(outPath).suffix())) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "La salida debe terminar en .%1.")
                              .arg(GisExportSuffixes().join(QStringLiteral(", ."))));
        return kExitUsage;
    }
    QString error;
    if (parser.isSet(crs) && !CheckCrs(parser.value(crs), error)) {
        PrintLine(stderr, error);
        return kExitUsage;
    }

    std::vector<std::uint8_t> picture;
    const std::unique_ptr<MapStore> store = LoadMapForTool(mapPath, picture);
    if (!store)
        return kExitFailed;
    QByteArray wkt;
    if (!ReadGeoreference(mapPath, wkt, error)) {
        PrintLine(stderr, error);
        return kExitFailed;
    }
    CGisExport exporter(*store, wkt);
    const bool prepared = exporter.Prepare(outPath, parser.value(crs));
    for (const QString& warning : exporter.Warnings())
        PrintLine(stdout, warning);
    if (!prepared) {
        PrintLine(stderr, QStringLiteral("%1: %2").arg(mapPath, exporter.ErrorString()));
        return kExitFailed;
    }
    // Every file of the set counts: a layer's file replaced alone would mix
    // two exports.
    if (!parser.isSet(force) && !exporter.Existing().isEmpty()) {
        if (!exporter.ReadOnly().isEmpty())
            PrintLine(stderr,
                      QCoreApplication::translate("Tool", "%1 Use --force para reemplazarlo.")
                          .arg(ProblemText(ReadOnlyFileReason(
                              QFile::encodeName(exporter.ReadOnly().first()).toStdString()))));
        else if (exporter.Existing().size() == 1)
            PrintLine(stderr, QCoreApplication::translate(
                                  "Tool", "Ya existe %1: use --force para reemplazarlo.")
                                  .arg(exporter.Existing().first()));
        else
            PrintLine(stderr, QCoreApplication::translate(
                                  "Tool", "Ya existe %1, y otros %2 archivos de esta "
                                          "exportación: use --force para reemplazarlos.")
                                  .arg(exporter.Existing().first())
                                  .arg(exporter.Existing().size() - 1));
        return kExitFailed;
    }
    if (!exporter.Commit()) {
        PrintLine(stderr, QStringLiteral("%1: %2").arg(mapPath, exporter.ErrorString()));
        return kExitFailed;
    }
    for (const QString& file : exporter.Files())
        PrintLine(stdout, file);
    return kExitOk;
}
