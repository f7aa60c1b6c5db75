#pragma once

// The commands of veltrix-tool by name, with the usage and the line that the
// general help and each command's --help show.

#include <QString>
#include <QStringList>

#include <span>

struct ToolCommand {
    const char* name;
    const char* arguments;
    const char* summary;
    int (*run)(const QStringList& args);
};

std::span<const ToolCommand> ToolCommands();
// The command of that name, or nullptr.
const ToolCommand* FindToolCommand(const QString& name);
