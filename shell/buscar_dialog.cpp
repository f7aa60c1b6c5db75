#include "buscar_dialog.h"

#include "codepage.h"
#include "map_store.h"
#include "messages.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

template <typename List>
std::vector<std::string> NameList(const List& list) {
    std::vector<std::string> names;
    names.reserve(list.size());
    for (const auto& element : list)
        names.push_back(element->m_strName);
    return names;
}

} // namespace

CBuscarDlg::CBuscarDlg(const MapStore& store, QWidget* parent)
    : CDialogBase(parent), m_store(store) {
    setWindowTitle(tr("Buscar"));
    SetDlgSize(209, 169);
    AddLabel(tr("Buscar:"), 7, 7);
    m_pSearch = AddEdit(IDC_SEARCH, 34, 7, 168, 14);
    AddLabel(tr("Encontrados:"), 7, 25);
    m_pResults = new QListWidget(this);
    m_pResults->setObjectName(ControlName("list", IDC_RESULTS));
    m_pResults->setGeometry(DlgRect(7, 34, 195, 111));
    m_pResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pResults->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPushButton* show = AddButton(IDC_SHOW, tr("Mostrar"), 7, 148, 50, 14);
    QPushButton* cancel = AddButton(IDC_CANCEL, tr("Cancelar"), 152, 148, 50, 14);
    show->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(show, &QPushButton::clicked, this, &CBuscarDlg::OnShow);
    connect(m_pResults, &QListWidget::itemDoubleClicked, this, &CBuscarDlg::OnShow);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    AddNextControlButton();
    // The search runs whenever the edit loses the focus, whatever took it.
    m_pSearch->installEventFilter(this);
    m_pSearch->setFocus();
}

bool CBuscarDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pSearch && event->type() == QEvent::FocusOut)
        OnSearch();
    return CDialogBase::eventFilter(watched, event);
}

std::vector<std::string> CBuscarDlg::NamesOfKind() const {
    switch (m_nKind) {
    case LOCATE_STREET:
        return NameList(m_store.m_listStreets);
    case LOCATE_COLONY:
        return NameList(m_store.m_listColonies);
    case LOCATE_REFERENCE:
        return NameList(m_store.m_listReferences);
    default:
        return {};
    }
}

void CBuscarDlg::OnSearch() {
    m_pResults->clear();
    m_pIndices.clear();
    m_strSearch = m_pSearch->text();
    if (m_strSearch.isEmpty())
        return;
    // Capitals with the accents folded away, on both sides, so "nte" finds
    // "PUENTE" and "monterrey" finds "MONTERRÉY".
    const std::string wanted = FoldForSearch(m_strSearch.toStdString());
    const std::vector<std::string> names = NamesOfKind();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (FoldForSearch(names[i]).find(wanted) == std::string::npos)
            continue;
        m_pResults->addItem(QString::fromStdString(names[i]));
        m_pIndices.push_back(static_cast<int>(i));
    }
}

void CBuscarDlg::OnShow() {
    const QList<QListWidgetItem*> selected = m_pResults->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = m_pResults->row(selected.front());
    if (row < 0 || static_cast<std::size_t>(row) >= m_pIndices.size())
        return;
    m_nResult = m_pIndices[static_cast<std::size_t>(row)];
    accept();
}

void CBuscarDlg::SaveData() {
    m_strSearch = m_pSearch->text();
}
