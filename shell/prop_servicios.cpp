#include "prop_servicios.h"

#include "categorias_dialog.h"
#include "display_order.h"
#include "map_document.h"
#include "map_edit.h"
#include "map_store.h"
#include "marca_dialog.h"
#include "message_box.h"
#include "messages.h"
#include "page_widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CPropServicios::CPropServicios(CMapDocument& document, QWidget* parent)
    : QWidget(parent), m_store(document.Store()), m_pHistory(&document.History()) {
    setObjectName(QStringLiteral("propServicios"));
    setWindowTitle(tr("Marcas"));
    auto* label = new QLabel(tr("Categorias:"), this);
    m_pCategories = new QComboBox(this);
    m_pCategories->setObjectName(QStringLiteral("combo1003"));
    m_pCategories->setEditable(false);
    m_pCategories->setMaxVisibleItems(20);
    m_pBusinesses = MakePageList(this);
    m_pEdit = MakePageButton(tr("Editar"), 1004, this);
    m_pCategoriesButton = MakePageButton(tr("Categorias"), 1067, this);
    m_pDelete = MakePageButton(tr("Eliminar"), 1005, this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addWidget(m_pCategoriesButton);
    buttons->addWidget(m_pDelete);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(label);
    layout->addWidget(m_pCategories);
    layout->addWidget(m_pBusinesses, 1);
    layout->addLayout(buttons);

    // Only what the user picks counts as a choice, not the box's own changes.
    connect(m_pCategories, &QComboBox::activated, this, &CPropServicios::OnChooseCategory);
    OnLineChosen(m_pBusinesses, this, [this] { OnChooseBusiness(); });
    connect(m_pEdit, &QPushButton::clicked, this, &CPropServicios::OnEdit);
    connect(m_pDelete, &QPushButton::clicked, this, &CPropServicios::OnDelete);
    connect(m_pCategoriesButton, &QPushButton::clicked, this, &CPropServicios::OnCategories);
    RefillCategories();
}

void CPropServicios::RefillCategories() {
    const QSignalBlocker quiet(m_pCategories);
    m_pCategories->clear();
    QStringList names;
    for (const auto& category : m_store.m_directory.m_listCategories)
        names.append(QString::fromStdString(category->m_strName));
    SortForDisplay(names);
    m_pCategories->addItems(names);
    // Nothing is chosen until the user picks a category.
    m_pCategories->setCurrentIndex(-1);
    m_store.m_directory.m_pCurrent = nullptr;
    const QSignalBlocker quietList(m_pBusinesses);
    m_pBusinesses->clear();
}

void CPropServicios::RefillBusinesses() {
    const QSignalBlocker quiet(m_pBusinesses);
    m_pBusinesses->clear();
    CmClasificados* category = m_store.m_directory.m_pCurrent;
    if (!category)
        return;
    QStringList names;
    for (const auto& business : category->m_listBusinesses)
        names.append(QString::fromStdString(business->m_strName));
    SortForDisplay(names);
    m_pBusinesses->addItems(names);
    category->ClearCurrent();
}

void CPropServicios::ReselectCategory(const QString& name) {
    const int index = name.isEmpty() ? -1 : m_pCategories->findText(name, Qt::MatchExactly);
    if (index < 0)
        return;
    {
        const QSignalBlocker quiet(m_pCategories);
        m_pCategories->setCurrentIndex(index);
    }
    m_store.m_directory.SelectCategory(name.toStdString());
    RefillBusinesses();
}

void CPropServicios::OnChooseCategory(int index) {
    if (index < 0)
        return;
    m_store.m_directory.SelectCategory(m_pCategories->itemText(index).toStdString());
    RefillBusinesses();
    SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, LOCATE_NOTHING, -1);
}

void CPropServicios::OnChooseBusiness() {
    const int row = SelectedRow(m_pBusinesses);
    if (row < 0)
        return;
    // Names, not lines, pick the business: of two with one name the first is chosen.
    if (m_store.m_directory.SelectBusiness(m_pBusinesses->item(row)->text().toStdString()))
        SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, LOCATE_BUSINESS, 0);
}

void CPropServicios::OnEdit() {
    if (SelectedRow(m_pBusinesses) < 0)
        return;
    CmDirectorio& directory = m_store.m_directory;
    CMarcaDlg dialog(this);
    dialog.m_strNombre = QString::fromStdString(directory.GetBusinessName());
    dialog.m_strTelefono = QString::fromStdString(directory.GetBusinessPhone());
    dialog.m_strDomicilio = QString::fromStdString(directory.GetBusinessComments());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::ptrdiff_t category = directory.CurrentCategoryIndex();
    const std::ptrdiff_t business = directory.CurrentBusinessIndex();
    if (category >= 0 && business >= 0) {
        auto changed = std::make_unique<CmNegocios>(*directory.CurrentBusiness());
        changed->m_strName = dialog.m_strNombre.toStdString();
        changed->m_strComments = dialog.m_strDomicilio.toStdString();
        changed->m_strPhone = dialog.m_strTelefono.toStdString();
        MapEdit edit(m_store);
        edit.ReplaceBusiness(static_cast<std::size_t>(category), static_cast<std::size_t>(business),
                             std::move(changed));
        ApplyEdit(m_pHistory, m_store, tr("Editar marca"), std::move(edit));
    }
    RefillBusinesses();
    SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, LOCATE_NOTHING, 0);
}

void CPropServicios::OnDelete() {
    if (SelectedRow(m_pBusinesses) < 0)
        return;
    if (!AskYesNo(this, tr("¿Está seguro de eliminar el registro seleccionado?")))
        return;
    const CmDirectorio& directory = m_store.m_directory;
    const std::ptrdiff_t category = directory.CurrentCategoryIndex();
    const std::ptrdiff_t business = directory.CurrentBusinessIndex();
    if (category >= 0 && business >= 0) {
        MapEdit edit(m_store);
        edit.RemoveBusiness(static_cast<std::size_t>(category), static_cast<std::size_t>(business));
        ApplyEdit(m_pHistory, m_store, tr("Eliminar marca"), std::move(edit));
    }
    RefillBusinesses();
    SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, LOCATE_NOTHING, 0);
}

void CPropServicios::OnCategories() {
    CmDirectorio& directory = m_store.m_directory;
    CCategoriasDlg dialog(directory, this);
    // The dialog changes the directory itself and reports each change after
    // making it. To make each change one undo step, the directory as it was is
    // put back for a moment and the change is made again through the history.
    CmDirectorio before = CopyDirectory(directory);
    connect(&dialog, &CCategoriasDlg::DirectoryChanged, this,
            [&](CCategoriasDlg::Change change, const QString&, const QString&) {
                CmDirectorio after = CopyDirectory(directory);
                directory = std::move(before);
                const QString step = change == CCategoriasDlg::Change::Added ? tr("Nueva categoría")
                                     : change == CCategoriasDlg::Change::Renamed
                                         ? tr("Renombrar categoría")
                                         : tr("Eliminar categoría");
                MapEdit edit(m_store);
                edit.ReplaceCategories(after);
                ApplyEdit(m_pHistory, m_store, step, std::move(edit));
                before = CopyDirectory(directory);
            });
    dialog.exec();
    RefillCategories();
}
