#include "prop_referencias.h"

#include "map_store.h"

CPropReferencias::CPropReferencias(MapStore& store, QWidget* parent)
    : CPropNamePage(store, QStringLiteral("Referencias"), parent) {
    setObjectName(QStringLiteral("propReferencias"));
}

void CPropReferencias::Refill() {
    m_posHighlighted = nullptr;
    FillList(NamesOf(m_store.m_listReferences));
}
