#include "prop_colonias.h"

#include "map_edit.h"
#include "map_store.h"

CPropColonias::CPropColonias(CMapDocument& document, QWidget* parent)
    : CPropNamePage(document, tr("Colonias"), parent) {
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

void CPropColonias::Rename(MapEdit& edit, std::size_t i, const std::string& name) const {
    edit.Change<CmColonias>(i, [&](CmColonias& record) { record.m_strName = name; });
}

void CPropColonias::Remove(MapEdit& edit, std::size_t i) const {
    edit.Remove<CmColonias>(i);
}

QString CPropColonias::DeleteQuestion() const {
    return tr("¿Esta seguro de eliminar esta colonia?");
}

QString CPropColonias::RenameStep() const {
    return tr("Renombrar colonia");
}

QString CPropColonias::DeleteStep() const {
    return tr("Eliminar colonia");
}
