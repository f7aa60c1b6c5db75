#include "prop_name_page.h"

#include "buscar_dialog.h"
#include "map_document.h"
#include "map_store.h"
#include "message_box.h"
#include "messages.h"
#include "name_dialog.h"
#include "page_widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CPropNamePage::CPropNamePage(CMapDocument& document, const QString& title, QWidget* parent)
    : QWidget(parent), m_store(document.Store()), m_pHistory(&document.History()) {
    setWindowTitle(title);
    m_pList = MakePageList(this);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pEdit = MakePageButton(tr("Editar"), IDC_EDIT, this);
    m_pDelete = MakePageButton(tr("Eliminar"), IDC_DELETE, this);
    m_pSearch = MakePageButton(tr("Buscar"), IDC_SEARCH, this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addWidget(m_pDelete);
    buttons->addWidget(m_pSearch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);

    OnLineChosen(m_pList, this, [this] { OnSelChange(); });
    connect(m_pEdit, &QPushButton::clicked, this, &CPropNamePage::OnEdit);
    connect(m_pDelete, &QPushButton::clicked, this, &CPropNamePage::OnDelete);
    connect(m_pSearch, &QPushButton::clicked, this, &CPropNamePage::OnSearch);
}

void CPropNamePage::Refill() {
    m_posHighlighted = nullptr;
    // Lines are added at the end, never sorted, so line numbers stay element numbers.
    const QSignalBlocker quiet(m_pList);
    m_pList->clear();
    const std::size_t count = Count();
    for (std::size_t i = 0; i < count; ++i)
        m_pList->addItem(QString::fromStdString(NameAt(i)));
}

void CPropNamePage::ClearHighlights() {
    m_posHighlighted = nullptr;
    const std::size_t count = Count();
    for (std::size_t i = 0; i < count; ++i)
        HighlightAt(i) = false;
}

void CPropNamePage::Locate(long long kind, long long index) {
    SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, kind, index);
}

void CPropNamePage::OnSelChange() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= Count())
        return;
    if (m_posHighlighted)
        *m_posHighlighted = false;
    bool& flag = HighlightAt(static_cast<std::size_t>(row));
    flag = true;
    m_posHighlighted = &flag;
    Locate(Kind(), row);
}

void CPropNamePage::OnEdit() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= Count())
        return;
    const auto i = static_cast<std::size_t>(row);
    CNombreDlg dialog(this);
    dialog.m_strName = QString::fromStdString(NameAt(i));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Taken as typed: an empty name or another element's name is allowed.
    const std::string name = dialog.m_strName.toStdString();
    MapEdit edit(m_store);
    Rename(edit, i, name);
    ApplyEdit(m_pHistory, m_store, RenameStep(), std::move(edit));
    Refill();
    SelectRowQuietly(m_pList, FindLineIgnoringCase(m_pList, dialog.m_strName));
    if (RedrawsAfterRename())
        Locate(0, -1);
}

void CPropNamePage::OnDelete() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= Count())
        return;
    if (!AskYesNo(this, DeleteQuestion()))
        return;
    MapEdit edit(m_store);
    Remove(edit, static_cast<std::size_t>(row));
    ApplyEdit(m_pHistory, m_store, DeleteStep(), std::move(edit));
    Refill();
    Locate(0, -1);
}

void CPropNamePage::OnSearch() {
    CBuscarDlg dialog(m_store, this);
    dialog.m_nKind = Kind();
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.m_nResult < 0 || dialog.m_nResult >= m_pList->count())
        return;
    SelectRowQuietly(m_pList, dialog.m_nResult);
    OnSelChange();
}
