#pragma once

// "Importar datos geográficos": the person picks the source files, sees their
// layers (geometry, features, coordinate system) and what the preset makes of
// each, may change that, names the town and the map file, and OK makes the
// town. The import runs with a progress window that can cancel it; a failure
// is said and the dialog stays open, with nothing written. The map is opened
// by whoever ran the dialog, once it closed with OK.

#include "gis_preset.h"
#include "gis_source.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class CGisLayerTable;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

class CGisImportDlg : public QDialog {
    Q_OBJECT
public:
    // New maps are proposed in `programDir`, where the catalogue lists them.
    explicit CGisImportDlg(const QString& programDir, QWidget* parent = nullptr);
    ~CGisImportDlg() override;

    // Adds source files as "Agregar..." does; a file that cannot be read is
    // said and left out.
    void AddSources(const QStringList& paths);
    void SetMapPath(const QString& path);
    QString MapPath() const;
    // What the import made and left out, one line each; set by OK.
    const QStringList& Summary() const { return m_summary; }

    CGisLayerTable* Table() const { return m_pTable; }
    QComboBox* PresetBox() const { return m_pPreset; }
    QLineEdit* CrsEdit() const { return m_pCrs; }

public slots:
    // Makes the town; closes only when the map file was written.
    void accept() override;

private:
    void OnAddSources();
    void OnRemoveSource();
    void OnPresetChosen(int index);
    void OnBrowseMap();
    // Reads the sources again with the preset's options (a CSV has points
    // only when the preset names its coordinate columns) and fills the table.
    void Refresh();
    // Counting the features of an OpenStreetMap file reads all of it, so it
    // happens on worker threads; the table fills in as they finish.
    void StartCounting();
    void StopCounting();
    // Fills in the coordinate system when a layer the import reads lacks one.
    void FollowMissingCrs();
    // The preset for the import as the table stands.
    std::unique_ptr<CGisPreset> PresetForImport() const;
    bool CheckBeforeImport(const CGisPreset& preset, QString& mapPath);
    void ProposeMapPath();

    QString m_strProgramDir;
    QList<GisSourceInfo> m_sources;
    std::unique_ptr<CGisPreset> m_pChosen; // null: none, every use comes from the table
    int m_nPresetIndex = 0;
    bool m_bPresetPicked = false; // by the person: sources added later do not change it
    bool m_bMapPathTyped = false;
    bool m_bCrsTyped = false;
    std::shared_ptr<std::atomic<bool>> m_pStopCounting;
    QStringList m_summary;

    QListWidget* m_pSources = nullptr;
    QComboBox* m_pPreset = nullptr;
    QLabel* m_pPresetNote = nullptr;
    CGisLayerTable* m_pTable = nullptr;
    QLineEdit* m_pCountry = nullptr;
    QLineEdit* m_pState = nullptr;
    QLineEdit* m_pTown = nullptr;
    QLineEdit* m_pCrs = nullptr;
    QLabel* m_pCrsNote = nullptr;
    QLineEdit* m_pMap = nullptr;
};
