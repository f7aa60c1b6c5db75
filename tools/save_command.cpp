#include "commands.h"
#include "tool_support.h"

#include <QCoreApplication>

int RunSave(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "entrada"),
                                 QCoreApplication::translate("Tool", "El mapa que se abre."));
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "salida"),
                                 QCoreApplication::translate("Tool", "Donde se guarda."));
    const QCommandLineOption force = ForceOption();
    parser.addOption(force);
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("save"), args, 2))
        return *done;
    const QStringList paths = parser.positionalArguments();
    if (!MayWriteMap(paths.at(1), parser.isSet(force)))
        return kExitFailed;
    std::vector<std::uint8_t> picture;
    const auto store = LoadMapForTool(paths.at(0), picture);
    if (!store)
        return kExitFailed;
    return SaveMapForTool(*store, paths.at(1), picture, parser.isSet(force)) ? kExitOk
                                                                             : kExitFailed;
}
