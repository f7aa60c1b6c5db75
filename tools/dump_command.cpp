#include "commands.h"
#include "map_json.h"
#include "tool_support.h"

#include <QCoreApplication>
#include <QJsonDocument>

int RunDump(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "mapa"),
                                 QCoreApplication::translate("Tool", "El archivo del mapa."));
    const QCommandLineOption compact(
        QStringLiteral("compact"), QCoreApplication::translate("Tool", "JSON en una sola línea."));
    parser.addOption(compact);
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("dump"), args, 1))
        return *done;
    std::vector<std::uint8_t> picture;
    const auto store = LoadMapForTool(parser.positionalArguments().at(0), picture);
    if (!store)
        return kExitFailed;
    const QByteArray json =
        QJsonDocument(MapToJson(*store, picture.size()))
            .toJson(parser.isSet(compact) ? QJsonDocument::Compact : QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    if (parser.isSet(compact))
        std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}
