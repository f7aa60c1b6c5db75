#pragma once

// Runs the built veltrix-tool as a user runs it.

#include <QString>
#include <QStringList>

struct ToolRun {
    int code = -1; // -1 when the tool crashed or hung: never a pass
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& args);
