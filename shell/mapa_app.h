#pragma once

// The application object: owns the map document for the whole run, knows the
// program directory and builds the main frame.

#include "map_document.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <optional>

class CMainFrame;
class QSettings;
class QTranslator;

class CMapaApp {
public:
    CMapaApp();
    ~CMapaApp();
    CMapaApp(const CMapaApp&) = delete;
    CMapaApp& operator=(const CMapaApp&) = delete;

    // Prints the help or the version when the command line asks for one and
    // returns the exit status; nothing otherwise. Needs no application object
    // and no display, so it runs before either exists.
    static std::optional<int> AnswerWithoutWindow(const QStringList& arguments);

    // `veltrix [--no-splash] [MAP]`: puts Qt's dialogs in Spanish, builds the
    // frame where it was left last time (or in the middle of the screen) and
    // shows it, shows the splash unless told not to, and opens MAP when one is
    // named. False when the command line cannot be used (the message has been
    // shown).
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

    // The open map, its history and its file; every window shows this one.
    CMapDocument m_document;
    // Where the catalogue looks for maps and where a save writes; ends in '/'.
    QString m_strProgramDir;
    // Last place of the business pop-up; empty until it is first shown.
    QRect m_rcInfoPopup;

private:
    // Qt's own words (file dialogs, edit menus) in Spanish.
    std::unique_ptr<QTranslator> m_pQtTranslator;
    std::unique_ptr<QTranslator> m_pTranslator;
    // The recent maps and the window's place, under the organisation's name;
    // made before the frame, which uses them, and gone after it.
    std::unique_ptr<QSettings> m_pSettings;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
