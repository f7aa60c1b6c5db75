#include "tool_run.h"

#include <QProcess>

ToolRun RunTool(const QStringList& args) {
    return RunTool(args, QProcessEnvironment::systemEnvironment());
}

ToolRun RunTool(const QStringList& args, const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELTRIX_TOOL_PATH), args);
    ToolRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
