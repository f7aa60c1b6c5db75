#pragma once

// The main window: menu, tool bar, status bar and the splitter holding the
// control panel on the left and the map window on the right. It makes one
// action per row of the command table and places them with the map tools'
// own actions, routes the Archivo menu's document commands to its
// CFileCommands and the view's to the map window, keeps the commands' enable
// and check states in step with the open map, and remembers its place, bars
// and panel width.

#include "command_table.h"
#include "file_commands.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class CCtrlWnd;
class CEditHistory;
class CHelpWnd;
class CHintLabel;
class CMainStatusBar;
class CMapDocument;
class CMapaWnd;
class MapStore;
class QAction;
class QMenu;
class QSettings;
class QSplitter;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 238;
    static constexpr int kPaneMinimum = 100;

    // The frame shows `document`, which outlives it.
    CMainFrame(CMapDocument& document, const QString& programDir, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCtrlWnd* CtrlWnd() const { return m_pCtrlWnd; }
    CMapaWnd* MapWnd() const { return m_pMapWnd; }
    QSplitter* Splitter() const { return m_pSplitter; }
    // The action of a command of the table or of a map tool.
    QAction* Action(int id) const;
    // The first pane of the status bar.
    CHintLabel* HintPane() const;
    const CRecentMaps& RecentMaps() const { return m_files.RecentMaps(); }
    // The map window's current tool.
    int CurrentTool() const;
    bool GuideShown() const { return m_bGuideShown; }
    const QString& ProgramDir() const { return m_strProgramDir; }
    CEditHistory& History() const;

    // The file commands, with their questions and messages (see CFileCommands).
    CFileCommands& Files() { return m_files; }
    // The open command after the catalogue: the document reads `path` whole
    // and only then replaces the open map. False, with the reason shown, when
    // it cannot. A map that opened heads the recent list.
    bool OpenMap(const QString& path) { return m_files.OpenMap(path); }
    // Reads the recent maps, the window's place and size and the panel's
    // width from `settings` and keeps them there from now on. True when a
    // place was restored. Without settings nothing is remembered.
    bool SetSettings(QSettings* settings);
    // The save command; true when the map file was written, which "Done" says.
    // A map another editor has open is saved under a new name instead.
    bool SaveMap() { return m_files.SaveMap(); }
    // Saves the map as `path`, which becomes its file; "Done" when it worked.
    bool SaveMapAs(const QString& path) { return m_files.SaveMapAs(path); }
    // Brings every command's enable and check state up to date.
    void UpdateCommandUI();

    // Commands. Those of the document are the file commands'.
    void OnFileOpen() { m_files.OnFileOpen(); }
    void OnFileOpenAny() { m_files.OnFileOpenAny(); }
    void OnOpenRecent(int slot) { m_files.OnOpenRecent(slot); }
    void OnFileSave() { m_files.SaveMap(); }
    bool OnFileSaveAs() { return m_files.OnFileSaveAs(); }
    void OnPreferences() { m_files.OnPreferences(); }
    void OnImportGis() { m_files.OnImportGis(); }
    void OnExportGis() { m_files.OnExportGis(); }
    void OnCopyMap();
    void OnFilePrint();
    void OnExportView();
    void OnPrintGuide();
    void OnViewGuide();
    void OnViewAll();
    void OnViewProperties();
    void OnHelpFinder();
    void OnTool(int tool);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void ConnectCommands();
    void CreateMenus();
    void CreateToolBar();
    // Puts the tools' actions in the menus and the tool bar, by their entries,
    // with the frame's own commands around them.
    void PlaceToolActions();
    void FillViewMenu();
    void FillToolBar();
    QAction* AddCommand(const CommandRow& command);
    void KeepPanelWidth();
    void FocusPane(int step);
    // A new map is in the document: the windows start afresh on it.
    void OnMapReplaced();
    void UpdateTitle();
    void SaveWindowState();

    CMapDocument& m_document;
    MapStore& m_store;
    QString m_strProgramDir;
    CFileCommands m_files;
    QSplitter* m_pSplitter = nullptr;
    CCtrlWnd* m_pCtrlWnd = nullptr;
    CMapaWnd* m_pMapWnd = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pViewMenu = nullptr;
    QMenu* m_pToolsMenu = nullptr;
    CMainStatusBar* m_pStatusBar = nullptr;
    QPointer<CHelpWnd> m_pHelpWnd;
    QHash<int, QAction*> m_actions;
    QSettings* m_pSettings = nullptr;
    // The panel's width, kept whatever the frame's size; a dragged bar changes it.
    int m_nPanelWidth = kPanelWidth;
    bool m_bGuideShown = false;
};
