#pragma once

// The Archivo menu's commands on the map document, with the questions and
// messages a person sees: opening (from the catalogue, the file dialog, the
// recent list or a dropped file) after asking about unsaved changes, the
// read-only question for a map another editor has, the offer of a recovery
// copy, Guardar and Guardar como, the recent maps and their menu section,
// Preferencias and the GIS import and export. The frame owns one and routes
// its menu commands here; printing, copying and exporting the view stay with
// the frame, beside the map window they draw.

#include "recent_maps.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class CMapDocument;
class QAction;
class QSettings;
class QWidget;

class CFileCommands : public QObject {
    Q_OBJECT
public:
    // `frame` parents the dialogs and receives the pages' refill after a
    // save; `programDir` ends in '/'. Both outlive this object.
    CFileCommands(CMapDocument& document, QWidget& frame, const QString& programDir);

    // Reads the recent maps from `settings` and keeps them there from now on.
    void UseSettings(QSettings* settings);
    const CRecentMaps& RecentMaps() const { return m_recent; }
    // The menu's section of recent maps: one hidden action a slot, newest
    // first, and the separator above them, shown only when there are any.
    void ShowRecentIn(const QList<QAction*>& actions, QAction* separator);

    // The document reads `path` whole and only then replaces the open map.
    // False, with the reason shown, when it cannot. A map another editor has
    // opens read-only when the user agrees. A map that opened heads the
    // recent list, and its recovery copy is offered.
    bool OpenMap(const QString& path);
    // Asks about unsaved changes, then opens `path`.
    void OpenAfterAsking(const QString& path);
    // Asks whether to save unsaved changes; false when the user cancels or the
    // save fails, so the caller must not go on.
    bool SaveModified();
    // True when the map file was written, which "Done" says. A map another
    // editor has open is saved under a new name instead.
    bool SaveMap();
    // Saves the map as `path`, which becomes its file; "Done" when it worked.
    bool SaveMapAs(const QString& path);

    // "Abrir paquete": the catalogue of the program directory.
    void OnFileOpen();
    // "Abrir...": any map file, through the platform's file dialog.
    void OnFileOpenAny();
    // A recent map; one that is gone is offered for removal instead.
    void OnOpenRecent(int slot);
    // Asks for a name in any folder and saves there; false when cancelled or failed.
    bool OnFileSaveAs();
    void OnPreferences();
    // Makes a town from GIS files in a dialog, then opens it.
    void OnImportGis();
    // Writes the open map's layers for GIS tools; the map is only read.
    void OnExportGis();

private:
    // Asks whether to take up the recovery copy of the map just opened.
    void OfferRecovery();
    // Asks before a read-only file at `path` is replaced; false when the user
    // says no. `replace` is whether the save may replace it.
    bool MayReplaceReadOnly(const QString& path, bool& replace);
    // Runs `save` under the wait cursor, refills the pages and says how it went.
    bool ReportSave(const std::function<bool(QString& error)>& save);
    void UpdateRecentMenu();

    CMapDocument& m_document;
    QWidget& m_frame;
    QString m_strProgramDir;
    CRecentMaps m_recent;
    QList<QAction*> m_recentSlots;
    QAction* m_pRecentSeparator = nullptr;
};
