#pragma once

// "Exportar datos geográficos": writes every layer of the open map, as the
// person sees it now (unsaved changes too), for GIS tools: GeoJSON,
// GeoPackage, Shapefile, KML or CSV, chosen by the file's ending or the
// format list, in the map's own coordinate system (TOWN.prj) or another. The
// map itself is only read: its lists keep their order and its unsaved state.

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class CMapDocument;
struct GisExportFormat;
class QComboBox;
class QLabel;
class QLineEdit;

class CGisExportDlg : public QDialog {
    Q_OBJECT
public:
    CGisExportDlg(const CMapDocument& document, QWidget* parent = nullptr);

    void SetPath(const QString& path);
    QString Path() const;
    QComboBox* FormatBox() const { return m_pFormat; }
    QLineEdit* CrsEdit() const { return m_pCrs; }
    // The files written and the warnings, after OK.
    const QStringList& Files() const { return m_files; }
    const QStringList& Warnings() const { return m_warnings; }

public slots:
    // Writes the layers; closes only when they were written.
    void accept() override;

private:
    void OnBrowse();
    void OnFormatChosen(int index);
    // The format follows the ending of a typed name.
    void OnPathEdited(const QString& text);
    void FollowFormat();
    QString Suffix() const;
    const GisExportFormat& CurrentFormat() const;

    const CMapDocument& m_document;
    std::vector<const GisExportFormat*> m_formats; // in the list's order
    QByteArray m_georeference;                     // the map's TOWN.prj, empty when it has none
    QString m_strGeoreferenceError;
    QStringList m_files;
    QStringList m_warnings;

    QLineEdit* m_pPath = nullptr;
    QComboBox* m_pFormat = nullptr;
    QLineEdit* m_pCrs = nullptr;
    QLabel* m_pCrsNote = nullptr;
};
