#include "prop_colonias.h"

#include "map_store.h"

CPropColonias::CPropColonias(MapStore& store, QWidget* parent)
    : CPropNamePage(store, QStringLiteral("Colonias"), parent) {
    setObjectName(QStringLiteral("propColonias"));
}

void CPropColonias::Refill() {
    m_posHighlighted = nullptr;
    FillList(NamesOf(m_store.m_listColonies));
}
