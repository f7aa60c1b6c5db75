#pragma once

// The editor as the shell tests drive it: a main frame over a map document,
// with maps in a private program folder and a message recorder under the
// frame that sees every broadcast. With a settings file the frame remembers
// through it as the program does.

#include "main_frame.h"
#include "map_document.h"
#include "message_recorder.h"
#include "test_towns.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class CCtrlWnd;
class CEditHistory;
class CMapaWnd;
class CPropiedades;

struct EditorFixture {
    QTemporaryDir dir;
    CMapDocument document;
    MapStore& store = document.Store();
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<CMainFrame> frame;
    CMessageRecorder* recorder = nullptr;

    explicit EditorFixture(const QString& settingsFile = QString());

    QString Path(const QString& name) const { return dir.filePath(name); }
    // Writes the editor's test town as `name` in the program folder; its path.
    QString WriteMap(const QString& name, const TestMapContents& contents = {}) const;
    // Writes `bytes` as `name` in the program folder; its path.
    QString WriteBytes(const QString& name, const QByteArray& bytes) const;
    // Everything in the program folder, hidden files too.
    QStringList Files() const;
    // Writes the test town as mitla.map and opens it, with nothing recorded yet.
    bool OpenTestTown();

    CCtrlWnd* Panel() const;
    CPropiedades* Sheet() const;
    CMapaWnd* Map() const { return frame->MapWnd(); }
    CEditHistory& History() const { return frame->History(); }
    QAction* Recent(int slot) const { return frame->Action(ID_FILE_RECENT_FIRST + slot); }
    // After the test changed the store behind the pages' backs.
    void RefreshAll() const;
    void Undo() const;
    void Redo() const;
};
