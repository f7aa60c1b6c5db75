#pragma once

// The commands of veltrix-tool by name, with the usage and the line that the
// general help and each command's --help show.

#include <QString>
#include <QStringList>

#include <span>

struct ToolCommand {
    const char* name;
    const char* arguments; // in Spanish, as the catalogue keys them
    const char* summary;
    int (*run)(const QStringList& args);
};

std::span<const ToolCommand> ToolCommands();
// The command of that name, or nullptr.
const ToolCommand* FindToolCommand(const QString& name);

// The command's arguments and summary in the language the tool speaks.
QString ToolCommandArguments(const ToolCommand& command);
QString ToolCommandSummary(const ToolCommand& command);
