#pragma once

// Runs the built veltrix-tool as a user runs it.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ToolRun {
    int code = -1; // -1 when the tool crashed or hung: never a pass
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList& args);
// The same with the environment the tool is given instead of the test's own.
ToolRun RunTool(const QStringList& args, const QProcessEnvironment& environment);
