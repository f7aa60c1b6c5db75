#pragma once

// Creates, renames and deletes the categories of the business directory. It
// works on the directory itself and says after each change what it did, so the
// owner can mark the map changed and record the step.

#include "dialog_base.h"

class CmDirectorio;
class QListWidget;
class QListWidgetItem;

class CCategoriasDlg : public CDialogBase {
    Q_OBJECT
public:
    enum class Change { Added, Renamed, Deleted };
    Q_ENUM(Change)

    explicit CCategoriasDlg(CmDirectorio& directory, QWidget* parent = nullptr);

    // Where a name goes in a list kept in alphabetical order (Spanish order,
    // letter case ignored); after the names that compare equal.
    static int SortedRow(const QListWidget& list, const QString& name);

signals:
    // After the directory changed. Added: `newName` only; Renamed: both;
    // Deleted: `oldName` only.
    void DirectoryChanged(CCategoriasDlg::Change change, const QString& oldName,
                          const QString& newName);
    // Just before a category and all it holds are deleted, while it can still
    // be copied.
    void CategoryAboutToBeDeleted(const QString& name);

protected:
    void OnInitDialog() override;

private:
    void OnNueva();
    void OnEditar();
    void OnEliminar();
    void AddLine(const QString& name);
    QListWidgetItem* SelectedLine() const;

    CmDirectorio& m_directory;
    QListWidget* m_pList = nullptr;
};
