#pragma once

// The main window: menu, tool bar, status bar and the splitter holding the
// control panel on the left and the map window on the right. It runs the
// commands, asks the map document to open and save with the questions and
// messages a person sees, and keeps the commands' enable and check states in
// step with the open map and the current tool. Maps come from the catalogue,
// the file dialog, the recent list or a file dropped on the window.

#include "recent_maps.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class CCtrlWnd;
class CEditHistory;
class CHelpWnd;
class CHintLabel;
class CMapDocument;
class CMapaWnd;
class MapStore;
class QAction;
class QLabel;
class QSettings;
class QSplitter;
class QTimer;
class QToolBar;

// The command numbers; menu items and tool-bar buttons carry them as object
// names ("action32771").
enum CommandId : int {
    ID_FILE_OPEN_MAP = 32771,
    ID_FILE_SAVE_MAP = 32800,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PREFERENCES = 32813,
    ID_COPY_MAP = 32804,
    ID_FILE_PRINT = 57607,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_GUIDE = 32806,
    ID_TOOL_ZOOM = 32779,
    ID_VIEW_PROPERTIES = 32786,
    ID_TOOL_NAVIGATE = 32772,
    ID_TOOL_TRACE_STREET = 32782,
    ID_TOOL_REFERENCE = 32773,
    ID_TOOL_MARK = 32790,
    ID_TOOL_COLONY = 32791,
    ID_TOOL_ROUTE = 32777,
    ID_TOOL_DISTANCE = 32801,
    ID_TOOL_INFO = 32775,
    ID_TOOL_PAINT_BLOCK = 32778,
    ID_TOOL_SELECT_BLOCK = 32783,
    ID_HELP_FINDER = 32807,
    ID_FILE_EXPORT_VIEW = 32812,
    ID_FILE_IMPORT_GIS = 32814,
    ID_FILE_EXPORT_GIS = 32815,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_FILE_OPEN_ANY = 32830,
    ID_FILE_RECENT_FIRST = 32831, // eight in a row, the newest first
    ID_VIEW_ALL = 32840,
    ID_VIEW_SCALE_BAR = 32841,
};

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
    QAction* Action(int id) const { return m_actions.value(id); }
    // The first pane of the status bar.
    CHintLabel* HintPane() const { return m_pHint; }
    const CRecentMaps& RecentMaps() const { return m_recent; }
    int CurrentTool() const { return m_nCurrentTool; }
    bool GuideShown() const { return m_bGuideShown; }
    const QString& ProgramDir() const { return m_strProgramDir; }
    CMapDocument& Document() const { return m_document; }
    CEditHistory& History() const;

    // The open command after the catalogue: the document reads `path` whole
    // and only then replaces the open map. False, with the reason shown, when
    // it cannot. A map that opened heads the recent list.
    bool OpenMap(const QString& path);
    // Reads the recent maps, the window's place and size and the panel's
    // width from `settings` and keeps them there from now on. True when a
    // place was restored. Without settings nothing is remembered.
    bool SetSettings(QSettings* settings);
    // The save command; true when the map file was written, which "Done" says.
    // A map another editor has open is saved under a new name instead.
    bool SaveMap();
    // Saves the map as `path`, which becomes its file; "Done" when it worked.
    bool SaveMapAs(const QString& path);
    // Brings every command's enable and check state up to date.
    void UpdateCommandUI();

    // Commands.
    void OnFileOpen();
    // "Abrir...": any map file, through the platform's file dialog.
    void OnFileOpenAny();
    // A recent map; one that is gone is offered for removal instead.
    void OnOpenRecent(int slot);
    void OnFileSave();
    // Asks for a name in any folder and saves there; false when cancelled or failed.
    bool OnFileSaveAs();
    void OnPreferences();
    void OnCopyMap();
    void OnFilePrint();
    void OnExportView();
    // Makes a town from GIS files in a dialog, then opens it.
    void OnImportGis();
    // Writes the open map's layers for GIS tools; the map is only read.
    void OnExportGis();
    void OnViewGuide();
    void OnViewAll();
    void OnViewProperties();
    void OnHelpFinder();
    void OnTool(int tool);

public slots:
    // Map coordinates under the mouse, for the status bar.
    void ShowMapPosition(int x, int y);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddCommand(int id, const QString& text, const QString& prompt, const QString& tip);
    void KeepPanelWidth();
    void FocusPane(int step);
    void UpdateLockIndicators();
    // A new map is in the document: the windows start afresh on it.
    void OnMapReplaced();
    void UpdateTitle();
    // Asks whether to take up the recovery copy of the map just opened.
    void OfferRecovery();
    // Asks about unsaved changes, then opens `path`.
    void OpenAfterAsking(const QString& path);
    void UpdateRecentMenu();
    void SaveWindowState();
    // Asks whether to save unsaved changes; false when the user cancels or the
    // save fails, so the caller must not go on.
    bool SaveModified();

    CMapDocument& m_document;
    MapStore& m_store;
    QString m_strProgramDir;
    QSplitter* m_pSplitter = nullptr;
    CCtrlWnd* m_pCtrlWnd = nullptr;
    CMapaWnd* m_pMapWnd = nullptr;
    QToolBar* m_pToolBar = nullptr;
    CHintLabel* m_pHint = nullptr;
    QLabel* m_pPosition = nullptr;
    QLabel* m_pIndicators[3] = {nullptr, nullptr, nullptr};
    QTimer* m_pLockTimer = nullptr;
    QPointer<CHelpWnd> m_pHelpWnd;
    QHash<int, QAction*> m_actions;
    QHash<int, int> m_toolOfCommand;
    QAction* m_pRecentSeparator = nullptr;
    CRecentMaps m_recent;
    QSettings* m_pSettings = nullptr;
    // The panel's width, kept whatever the frame's size; a dragged bar changes it.
    int m_nPanelWidth = kPanelWidth;
    bool m_bGuideShown = false;
    int m_nCurrentTool = 1;
};
