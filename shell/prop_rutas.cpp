#include "prop_rutas.h"

#include "map_store.h"
#include "page_widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPropRutas::CPropRutas(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setObjectName(QStringLiteral("propRutas"));
    setWindowTitle(QStringLiteral("Rutas"));
    m_pList = MakePageList(this);
    m_pEdit = MakePageButton(QStringLiteral("Editar"), 1004, this);
    m_pDelete = MakePageButton(QStringLiteral("Eliminar"), 1005, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addStretch(1);
    buttons->addWidget(m_pDelete);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
}

QString CPropRutas::UnnamedRouteText(int number) {
    return QStringLiteral("Ruta%1").arg(number);
}

void CPropRutas::Refill() {
    m_pList->clear();
    m_posHighlighted = nullptr;
    int number = 1;
    for (const auto& route : m_store.m_listRoutes) {
        m_pList->addItem(route->m_strName.empty() ? UnnamedRouteText(number)
                                                  : QString::fromStdString(route->m_strName));
        ++number;
    }
}
