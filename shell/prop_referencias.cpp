#include "prop_referencias.h"

#include "map_edit.h"
#include "map_store.h"

CPropReferencias::CPropReferencias(CMapDocument& document, QWidget* parent)
    : CPropNamePage(document, tr("Referencias"), parent) {
    setObjectName(QStringLiteral("propReferencias"));
}

std::size_t CPropReferencias::Count() const {
    return m_store.m_listReferences.size();
}

std::string& CPropReferencias::NameAt(std::size_t i) {
    return m_store.m_listReferences[i]->m_strName;
}

bool& CPropReferencias::HighlightAt(std::size_t i) {
    return m_store.m_listReferences[i]->m_bHighlight;
}

void CPropReferencias::Rename(MapEdit& edit, std::size_t i, const std::string& name) const {
    edit.Change<CmRefe>(i, [&](CmRefe& record) { record.m_strName = name; });
}

void CPropReferencias::Remove(MapEdit& edit, std::size_t i) const {
    edit.Remove<CmRefe>(i);
}

QString CPropReferencias::DeleteQuestion() const {
    return tr("¿Esta seguro de eliminar esta referencia?");
}

QString CPropReferencias::RenameStep() const {
    return tr("Renombrar referencia");
}

QString CPropReferencias::DeleteStep() const {
    return tr("Eliminar referencia");
}
