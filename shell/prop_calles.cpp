#include "prop_calles.h"

#include "map_store.h"

#include <QListWidget>

CPropCalles::CPropCalles(MapStore& store, QWidget* parent)
    : CPropNamePage(store, QStringLiteral("Calles"), parent) {
    setObjectName(QStringLiteral("propCalles"));
    // Long street names scroll sideways rather than being cut.
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void CPropCalles::Refill() {
    m_posHighlighted = nullptr;
    FillList(NamesOf(m_store.m_listStreets));
}
