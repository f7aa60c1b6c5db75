#include "prop_calles.h"

#include "map_edit.h"
#include "map_store.h"

#include <QListWidget>

CPropCalles::CPropCalles(CMapDocument& document, QWidget* parent)
    : CPropNamePage(document, tr("Calles"), parent) {
    setObjectName(QStringLiteral("propCalles"));
    // Long street names scroll sideways rather than being cut.
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

std::size_t CPropCalles::Count() const {
    return m_store.m_listStreets.size();
}

std::string& CPropCalles::NameAt(std::size_t i) {
    return m_store.m_listStreets[i]->m_strName;
}

bool& CPropCalles::HighlightAt(std::size_t i) {
    return m_store.m_listStreets[i]->m_bShow;
}

void CPropCalles::Rename(MapEdit& edit, std::size_t i, const std::string& name) const {
    edit.Change<CmCalles>(i, [&](CmCalles& record) { record.m_strName = name; });
}

void CPropCalles::Remove(MapEdit& edit, std::size_t i) const {
    edit.Remove<CmCalles>(i);
}

QString CPropCalles::DeleteQuestion() const {
    return tr("¿Esta seguro de eliminar esta calle?");
}

QString CPropCalles::RenameStep() const {
    return tr("Renombrar calle");
}

QString CPropCalles::DeleteStep() const {
    return tr("Eliminar calle");
}
