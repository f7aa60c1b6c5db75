#pragma once

// Qt's own file dialog (never the desktop's), so that every word of it is
// Spanish whatever the desktop; tests find it as the active modal window.

#include <QFileDialog>

enum class FileDialogKind { Open, OpenMany, Save };

// Sets the dialog's mode and its texts. A save dialog leaves the question
// about replacing an existing file to the caller.
void SetUpFileDialog(QFileDialog& dialog, FileDialogKind kind);
