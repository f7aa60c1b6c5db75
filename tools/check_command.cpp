#include "commands.h"
#include "tool_support.h"

#include <QCoreApplication>

int RunCheck(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QCoreApplication::translate("Tool", "mapa"),
                                 QCoreApplication::translate("Tool", "El archivo del mapa."));
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("check"), args, 1))
        return *done;
    std::vector<std::uint8_t> picture;
    // Opening is all-or-nothing, so a store means the whole file read.
    return LoadMapForTool(parser.positionalArguments().at(0), picture) ? kExitOk : kExitFailed;
}
