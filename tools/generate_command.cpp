#include "commands.h"
#include "overview_picture.h"
#include "tool_support.h"
#include "town_generator.h"

#include <QCoreApplication>

namespace {

constexpr std::uint32_t kMaxBlocks = 5'000'000;
constexpr int kPictureWidth = 512;

bool ParseNumber(const QString& text, std::uint32_t min, std::uint32_t max, std::uint32_t& out) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value < min || value > max)
        return false;
    out = static_cast<std::uint32_t>(value);
    return true;
}

} // namespace

int RunGenerate(const QStringList& args) {
    CCommandParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QCoreApplication::translate("Tool", "El mapa que se crea."),
                                    QCoreApplication::translate("Tool", "salida"));
    const QCommandLineOption blocks(
        QStringLiteral("blocks"), QCoreApplication::translate("Tool", "Número de manzanas (2000)."),
        QStringLiteral("n"), QStringLiteral("2000"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QCoreApplication::translate("Tool", "Semilla (1)."),
                                  QStringLiteral("s"), QStringLiteral("1"));
    const QCommandLineOption force = ForceOption();
    parser.addOptions({output, blocks, seed, force});
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("generate"), args, 0))
        return *done;
    if (!parser.isSet(output)) {
        PrintLine(stderr, QCoreApplication::translate("Tool", "Falta el mapa de salida (-o)."));
        return kExitUsage;
    }
    if (!MayWriteMap(parser.value(output), parser.isSet(force)))
        return kExitFailed;
    TownOptions options;
    if (!ParseNumber(parser.value(blocks), 1, kMaxBlocks, options.blocks)) {
        PrintLine(stderr, QCoreApplication::translate(
                              "Tool", "El número de manzanas debe estar entre 1 y %1.")
                              .arg(kMaxBlocks));
        return kExitUsage;
    }
    if (!ParseNumber(parser.value(seed), 0, UINT32_MAX, options.seed)) {
        PrintLine(stderr,
                  QCoreApplication::translate("Tool", "La semilla debe ser un número entre 0 y %1.")
                      .arg(UINT32_MAX));
        return kExitUsage;
    }

    MapStore store = GenerateTown(options);
    const std::vector<std::uint8_t> picture = MakeOverviewJpeg(store, kPictureWidth);
    if (picture.empty()) {
        PrintLine(stderr,
                  QCoreApplication::translate("Tool", "No se pudo crear la imagen del mapa."));
        return kExitFailed;
    }
    return SaveMapForTool(store, parser.value(output), picture, parser.isSet(force)) ? kExitOk
                                                                                     : kExitFailed;
}
