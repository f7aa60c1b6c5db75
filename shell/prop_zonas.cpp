#include "prop_zonas.h"

#include "map_store.h"
#include "messages.h"
#include "page_widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPropZonas::CPropZonas(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setObjectName(QStringLiteral("propZonas"));
    setWindowTitle(QStringLiteral("Zonas"));
    m_pList = MakePageList(this);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pNotes = new QPlainTextEdit(this);
    m_pNotes->setObjectName(QStringLiteral("edit1098"));
    m_pNotes->setReadOnly(true);
    m_pNotes->setFixedHeight(70);
    m_pNew = MakePageButton(QStringLiteral("Nueva"), 1010, this);
    m_pEdit = MakePageButton(QStringLiteral("Editar"), 1004, this);
    m_pDelete = MakePageButton(QStringLiteral("Eliminar"), 1005, this);
    m_pAssign = MakePageButton(QStringLiteral("Asignar"), 1084, this);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    for (QPushButton* button : {m_pNew, m_pEdit, m_pDelete, m_pAssign}) {
        button->setMinimumWidth(10);
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pList, 1);
    layout->addWidget(m_pNotes);
    layout->addLayout(buttons);
}

void CPropZonas::Refill() {
    SendMessageToDescendants(m_pFrame, UM_ZONE_SHOW, m_nShownZone, -1);
    m_nShownZone = -1;
    m_pList->clear();
    for (const auto& zone : m_store.m_listZones)
        m_pList->addItem(QString::fromStdString(zone->m_strName));
}
