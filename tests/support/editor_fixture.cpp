#include "editor_fixture.h"

#include "ctrl_wnd.h"
#include "messages.h"
#include "qt_helpers.h"

#include <QAction>
#include <QDir>
#include <QFile>

EditorFixture::EditorFixture(const QString& settingsFile) {
    frame = std::make_unique<CMainFrame>(document, dir.path());
    if (!settingsFile.isEmpty()) {
        settings = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
        frame->SetSettings(settings.get());
    }
    recorder = new CMessageRecorder(frame.get());
    frame->show();
}

QString EditorFixture::WriteMap(const QString& name, const TestMapContents& contents) const {
    const QString path = Path(name);
    const std::string error = WriteTestMap(LocalPath(path), contents);
    if (!error.empty())
        qWarning("%s", error.c_str());
    return path;
}

QString EditorFixture::WriteBytes(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(name));
    return Path(name);
}

QStringList EditorFixture::Files() const {
    return QDir(dir.path())
        .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

bool EditorFixture::OpenTestTown() {
    const bool opened = frame->OpenMap(WriteMap(QStringLiteral("mitla.map")));
    recorder->Clear();
    return opened;
}

CCtrlWnd* EditorFixture::Panel() const {
    return frame->CtrlWnd();
}

CPropiedades* EditorFixture::Sheet() const {
    return Panel()->Sheet();
}

void EditorFixture::RefreshAll() const {
    SendMessageToDescendants(frame.get(), UM_REFRESH_PAGES, PAGE_ALL, REFRESH_CATEGORIES);
    recorder->Clear();
}

void EditorFixture::Undo() const {
    frame->Action(ID_EDIT_UNDO)->trigger();
}

void EditorFixture::Redo() const {
    frame->Action(ID_EDIT_REDO)->trigger();
}
