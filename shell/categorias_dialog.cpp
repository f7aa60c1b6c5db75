#include "categorias_dialog.h"

#include "display_order.h"
#include "message_box.h"
#include "name_dialog.h"
#include "records.h"

#include <QListWidget>
#include <QPushButton>

CCategoriasDlg::CCategoriasDlg(CmDirectorio& directory, QWidget* parent)
    : CDialogBase(parent), m_directory(directory) {
    setWindowTitle(tr("Categorias para marcas personales"));
    SetDlgSize(190, 140);
    AddLabel(tr("Categorias existentes:"), 7, 7);
    m_pList = new QListWidget(this);
    m_pList->setObjectName(ControlName("list", 1001));
    m_pList->setGeometry(DlgRect(7, 17, 118, 115));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    QPushButton* nueva = AddButton(1010, tr("Nueva"), 133, 17, 50, 14);
    QPushButton* editar = AddButton(1004, tr("Editar"), 133, 35, 50, 14);
    QPushButton* eliminar = AddButton(1005, tr("Eliminar"), 133, 53, 50, 14);
    QPushButton* salir = AddButton(1012, tr("Salir"), 133, 119, 50, 14);
    connect(nueva, &QPushButton::clicked, this, &CCategoriasDlg::OnNueva);
    connect(editar, &QPushButton::clicked, this, &CCategoriasDlg::OnEditar);
    connect(eliminar, &QPushButton::clicked, this, &CCategoriasDlg::OnEliminar);
    connect(salir, &QPushButton::clicked, this, &QDialog::reject);
    AddNextControlButton();
}

int CCategoriasDlg::SortedRow(const QListWidget& list, const QString& name) {
    int row = 0;
    while (row < list.count() && !DisplayLess(name, list.item(row)->text()))
        ++row;
    return row;
}

void CCategoriasDlg::AddLine(const QString& name) {
    m_pList->insertItem(SortedRow(*m_pList, name), name);
}

QListWidgetItem* CCategoriasDlg::SelectedLine() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void CCategoriasDlg::OnInitDialog() {
    m_pList->clear();
    for (const auto& category : m_directory.m_listCategories)
        AddLine(QString::fromStdString(category->m_strName));
    m_pList->setFocus();
}

void CCategoriasDlg::OnNueva() {
    CNombreDlg dlg(CNombreDlg::Kind::NewCategory, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString name = dlg.m_strName;
    for (int row = 0; row < m_pList->count(); ++row) {
        if (m_pList->item(row)->text().compare(name, Qt::CaseInsensitive) == 0) {
            ShowMessage(this, tr("Esta categoria ya existe"), QMessageBox::Warning);
            return;
        }
    }
    AddLine(name);
    m_directory.AddCategory(name.toStdString());
    emit DirectoryChanged(Change::Added, QString(), name);
}

void CCategoriasDlg::OnEditar() {
    QListWidgetItem* line = SelectedLine();
    if (!line)
        return;
    const QString oldName = line->text();
    CNombreDlg dlg(CNombreDlg::Kind::NewCategory, this);
    dlg.m_strName = oldName;
    if (dlg.exec() != QDialog::Accepted)
        return;
    const QString newName = dlg.m_strName;
    delete m_pList->takeItem(m_pList->row(line));
    AddLine(newName);
    m_pList->clearSelection();
    if (newName == oldName)
        return;
    m_directory.RenameCategory(oldName.toStdString(), newName.toStdString());
    emit DirectoryChanged(Change::Renamed, oldName, newName);
}

void CCategoriasDlg::OnEliminar() {
    QListWidgetItem* line = SelectedLine();
    if (!line)
        return;
    const QString name = line->text();
    if (!AskYesNo(this,
                  tr("¿Esta seguro de eliminar la categoria y todas las marcas y "
                     "rutas que pertenecen a ésta?"),
                  QMessageBox::Question))
        return;
    emit CategoryAboutToBeDeleted(name);
    m_directory.DeleteCategory(name.toStdString());
    delete m_pList->takeItem(m_pList->row(line));
    m_pList->clearSelection();
    emit DirectoryChanged(Change::Deleted, name, QString());
}
