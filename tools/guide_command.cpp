// veltrix-tool guide: the town's printed guide as a PDF file, with its map
// pages, street index and directory.

#include "commands.h"
#include "file_guard.h"
#include "image_bitmap.h"
#include "map_layers.h"
#include "map_store.h"
#include "problem_text.h"
#include "tool_support.h"
#include "town_guide.h"

#include <QCoreApplication>
#include <QFileInfo>

int RunGuide(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(
        QCoreApplication::translate("Tool", "mapa"),
        QCoreApplication::translate("Tool", "El mapa del que se hace la guía."));
    const QCommandLineOption output(
        {QStringLiteral("o"), QStringLiteral("output")},
        QCoreApplication::translate("Tool", "La guía en PDF que se crea."),
        QCoreApplication::translate("Tool", "salida"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QCoreApplication::translate(
            "Tool", "Escala de las páginas del plano, de 1 a 20, como en la ventana del mapa "
                    "(12: se leen los nombres de las calles)."),
        QStringLiteral("s"), QStringLiteral("12"));
    const QCommandLineOption paper(
        QStringLiteral("paper"),
        QCoreApplication::translate("Tool", "Papel: A4, Carta o \"Doble carta\" (A4)."),
        QCoreApplication::translate("Tool", "papel"), QStringLiteral("A4"));
    const QCommandLineOption orientation(
        QStringLiteral("orientation"),
        QCoreApplication::translate("Tool",
                                    "Orientación del papel: vertical u horizontal (vertical)."),
        QCoreApplication::translate("Tool", "orientación"), QStringLiteral("vertical"));
    const QCommandLineOption layersOption(
        QStringLiteral("layers"),
        QCoreApplication::translate(
            "Tool", "Capas de las páginas del plano: all, none o una lista de nombres, marcas, "
                    "referencias, calles, colonias, rutas, relleno, escala (todas menos "
                    "rutas)."),
        QCoreApplication::translate("Tool", "lista"));
    const QCommandLineOption force(
        QStringLiteral("force"),
        QCoreApplication::translate("Tool",
                                    "Reemplaza la guía si ya existe, aunque sea de solo lectura."));
    parser.addOptions({output, scale, paper, orientation, layersOption, force});
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("guide"), args, 1))
        return *done;

    const QString outPath = parser.value(output);
    if (outPath.isEmpty()) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Falta la guía de salida (-o)."));
        return kExitUsage;
    }
    if (QFileInfo(outPath).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "La guía debe terminar en .pdf."));
        return kExitUsage;
    }
    GuideOptions options;
    bool ok = false;
    const double s = parser.value(scale).toDouble(&ok);
    if (!ok || !(s >= kGuideMinScale && s <= kGuideMaxScale)) {
        PrintLine(stderr,
                  QCoreApplication::translate("Tool", "La escala debe estar entre 1 y 20."));
        return kExitUsage;
    }
    options.scale = static_cast<float>(s);
    const std::optional<GuidePaper> paperSize = GuidePaperNamed(parser.value(paper));
    if (!paperSize) {
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "Papel desconocido «%1»: use A4, Carta o \"Doble carta\".")
                              .arg(parser.value(paper)));
        return kExitUsage;
    }
    options.paper = *paperSize;
    const QString turn = parser.value(orientation).trimmed().toLower();
    if (turn == QStringLiteral("vertical")) {
        options.orientation = GuideOrientation::Vertical;
    } else if (turn == QStringLiteral("horizontal")) {
        options.orientation = GuideOrientation::Horizontal;
    } else {
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "Orientación desconocida «%1»: use vertical u horizontal.")
                              .arg(parser.value(orientation)));
        return kExitUsage;
    }
    LayerSwitches layers = GuideLayers();
    if (parser.isSet(layersOption) && !LayerSwitchesNamed(parser.value(layersOption), layers)) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Capa desconocida en «%1».")
                              .arg(parser.value(layersOption)));
        return kExitUsage;
    }

    // Checked before any work, and again by the writer through its own checks.
    const QFileInfo target(outPath);
    if (target.exists() && !parser.isSet(force)) {
        if (IsReadOnlyFile(LocalPath(outPath)))
            PrintLine(stderr,
                      QCoreApplication::translate("Tool", "%1 Use --force para reemplazarla.")
                          .arg(ProblemText(ReadOnlyFileReason(LocalPath(outPath)))));
        else
            PrintLine(stderr, QCoreApplication::translate(
                                  "Tool", "Ya existe %1: use --force para reemplazarla.")
                                  .arg(outPath));
        return kExitFailed;
    }
    if (target.exists() && !target.isFile()) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "%1 no es un archivo.").arg(outPath));
        return kExitFailed;
    }

    const QString mapPath = parser.positionalArguments().first();
    std::vector<std::uint8_t> picture;
    const std::unique_ptr<MapStore> store = LoadMapForTool(mapPath, picture);
    if (!store)
        return kExitFailed;
    GuideRequest request{*store, options, layers, {}, {}};
    if (!picture.empty()) {
        CImageBitmap overview;
        if (overview.LoadFromMemory(picture, CImageBitmap::Kind::Jpeg))
            request.overview = overview.Image();
        else
            PrintLine(stdout, QCoreApplication::translate(
                                  "Tool", "La imagen de conjunto del mapa no se pudo leer (%1): "
                                          "la portada va sin ella.")
                                  .arg(overview.ErrorText()));
    }
    QString error;
    if (!WriteTownGuide(outPath, request, error)) {
        PrintLine(stderr, QStringLiteral("%1: %2").arg(mapPath, error));
        return kExitFailed;
    }
    PrintLine(stdout, outPath);
    return kExitOk;
}
