#include "commands.h"
#include "tool_support.h"

int RunCheck(const QStringList& args) {
    CCommandParser parser;
    parser.addPositionalArgument(QStringLiteral("mapa"), QStringLiteral("El archivo del mapa."));
    if (const auto done = ParseCommandArgs(parser, QStringLiteral("check"), args, 1))
        return *done;
    std::vector<std::uint8_t> picture;
    // Opening is all-or-nothing, so a store means the whole file read.
    return LoadMapForTool(parser.positionalArguments().at(0), picture) ? kExitOk : kExitFailed;
}
