#include "prop_colonias.h"

#include "map_store.h"

CPropColonias::CPropColonias(CMapDocument& document, QWidget* parent)
    : CPropNamePage(document, QStringLiteral("Colonias"), parent) {
    setObjectName(QStringLiteral("propColonias"));
}

std::size_t CPropColonias::Count() const {
    return m_store.m_listColonies.size();
}

std::string& CPropColonias::NameAt(std::size_t i) {
    return m_store.m_listColonies[i]->m_strName;
}

bool& CPropColonias::HighlightAt(std::size_t i) {
    return m_store.m_listColonies[i]->m_bHighlight;
}

void CPropColonias::RemoveAt(std::size_t i) {
    m_store.m_listColonies.erase(m_store.m_listColonies.begin() + static_cast<std::ptrdiff_t>(i));
}

QString CPropColonias::DeleteQuestion() const {
    return QStringLiteral("¿Esta seguro de eliminar esta colonia?");
}

QString CPropColonias::RenameStep() const {
    return QStringLiteral("Renombrar colonia");
}

QString CPropColonias::DeleteStep() const {
    return QStringLiteral("Eliminar colonia");
}
