#include "prop_rutas.h"

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

CPropRutas::CPropRutas(CMapDocument& document, QWidget* parent)
    : QWidget(parent), m_store(document.Store()), m_pHistory(&document.History()) {
    setObjectName(QStringLiteral("propRutas"));
    setWindowTitle(tr("Rutas"));
    m_pList = MakePageList(this);
    m_pEdit = MakePageButton(tr("Editar"), 1004, this);
    m_pDelete = MakePageButton(tr("Eliminar"), 1005, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addStretch(1);
    buttons->addWidget(m_pDelete);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);

    OnLineChosen(m_pList, this, [this] { OnSelChange(); });
    connect(m_pEdit, &QPushButton::clicked, this, &CPropRutas::OnEdit);
    connect(m_pDelete, &QPushButton::clicked, this, &CPropRutas::OnDelete);
}

QString CPropRutas::UnnamedRouteText(int number) {
    return tr("Ruta%1").arg(number);
}

void CPropRutas::Refill() {
    const QSignalBlocker quiet(m_pList);
    m_pList->clear();
    m_posHighlighted = nullptr;
    int number = 1;
    for (const auto& route : m_store.m_listRoutes) {
        m_pList->addItem(route->m_strName.empty() ? UnnamedRouteText(number)
                                                  : QString::fromStdString(route->m_strName));
        ++number;
    }
}

void CPropRutas::ClearHighlights() {
    m_posHighlighted = nullptr;
    for (const auto& route : m_store.m_listRoutes)
        route->m_bShow = false;
}

void CPropRutas::OnSelChange() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listRoutes.size())
        return;
    if (m_posHighlighted)
        m_posHighlighted->m_bShow = false;
    m_posHighlighted = m_store.m_listRoutes[static_cast<std::size_t>(row)].get();
    m_posHighlighted->m_bShow = true;
    SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, LOCATE_ROUTE, row);
}

void CPropRutas::OnEdit() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listRoutes.size())
        return;
    const auto i = static_cast<std::size_t>(row);
    CNombreDlg dialog(this);
    dialog.m_strName = QString::fromStdString(m_store.m_listRoutes[i]->m_strName);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string name = dialog.m_strName.toStdString();
    MapEdit edit(m_store);
    edit.Change<CmVias>(i, [&](CmVias& route) { route.m_strName = name; });
    ApplyEdit(m_pHistory, m_store, tr("Renombrar ruta"), std::move(edit));
    Refill();
    // An empty name shows as "Ruta" and a number, so it finds no line.
    SelectRowQuietly(m_pList, FindLineIgnoringCase(m_pList, dialog.m_strName));
}

void CPropRutas::OnDelete() {
    const int row = SelectedRow(m_pList);
    if (row < 0 || static_cast<std::size_t>(row) >= m_store.m_listRoutes.size())
        return;
    const QString line = m_pList->item(row)->text();
    if (!AskYesNo(this, tr("¿Está seguro de eliminar la ruta %1").arg(line)))
        return;
    MapEdit edit(m_store);
    edit.Remove<CmVias>(static_cast<std::size_t>(row));
    ApplyEdit(m_pHistory, m_store, tr("Eliminar ruta"), std::move(edit));
    Refill();
    m_posHighlighted = nullptr;
    SendMessageToDescendants(m_pFrame, UM_LOCATE_ITEM, LOCATE_NO_ROUTE, 0);
}
