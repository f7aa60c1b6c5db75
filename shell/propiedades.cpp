#include "propiedades.h"

#include "map_document.h"
#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "stacked_tab_bar.h"

#include "messages.h"

#include <QComboBox>
#include <QTabBar>

CPropiedades::CPropiedades(CMapDocument& document, QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("propiedades"));
    // Six tabs do not fit one row of the panel's width; they stack in two.
    setTabBar(new CStackedTabBar(this));
    m_pCalles = new CPropCalles(document, this);
    m_pReferencias = new CPropReferencias(document, this);
    m_pRutas = new CPropRutas(document, this);
    m_pServicios = new CPropServicios(document, this);
    m_pColonias = new CPropColonias(document, this);
    m_pZonas = new CPropZonas(document, this);
    addTab(m_pCalles, tr("Calles"));
    addTab(m_pReferencias, tr("Referencias"));
    addTab(m_pRutas, tr("Rutas"));
    addTab(m_pServicios, tr("Marcas"));
    addTab(m_pColonias, tr("Colonias"));
    addTab(m_pZonas, tr("Zonas"));
    setCurrentIndex(kStreetsPage);
    connect(&document, &CMapDocument::ContentRestored, this, &CPropiedades::RefreshAfterRestore);
}

CStackedTabBar* CPropiedades::Tabs() const {
    return static_cast<CStackedTabBar*>(tabBar());
}

void CPropiedades::SetFrame(QWidget* frame) {
    m_pFrame = frame;
    m_pCalles->SetFrame(frame);
    m_pReferencias->SetFrame(frame);
    m_pRutas->SetFrame(frame);
    m_pServicios->SetFrame(frame);
    m_pColonias->SetFrame(frame);
    m_pZonas->SetFrame(frame);
}

void CPropiedades::RefreshAfterRestore() {
    // The restored records carry the highlights of the moment they were copied;
    // the refilled pages choose nothing, so nothing may stay highlighted.
    m_pCalles->ClearHighlights();
    m_pReferencias->ClearHighlights();
    m_pColonias->ClearHighlights();
    m_pRutas->ClearHighlights();
    m_pZonas->ForgetShownZone();
    const QString category = m_pServicios->Categories()->currentText();
    SendMessageToDescendants(m_pFrame, UM_REFRESH_PAGES, PAGE_ALL, REFRESH_CATEGORIES);
    m_pServicios->ReselectCategory(category);
}
