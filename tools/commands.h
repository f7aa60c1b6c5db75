#pragma once

// The commands of veltrix-tool. Each takes the arguments that follow its name
// and returns the exit status; main.cpp maps names to them in one table.

#include <QStringList>

enum ToolExit : int {
    kExitOk = 0,
    kExitFailed = 1, // a map that does not open, a save that did not happen
    kExitUsage = 2,  // the caller then prints the command's usage
};

int RunInfo(const QStringList& args);
int RunDump(const QStringList& args);
int RunSave(const QStringList& args);
int RunCheck(const QStringList& args);
int RunGenerate(const QStringList& args);
int RunRender(const QStringList& args);
int RunPicture(const QStringList& args);
int RunSetPicture(const QStringList& args);
int RunImport(const QStringList& args);
int RunExport(const QStringList& args);
int RunGuide(const QStringList& args);
