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
#include "page_requests.h"

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

void CPropiedades::RefreshAfterRestore(const std::vector<MapChange>& changes) {
    // Only the pages of the records put back refill. Those records carry the
    // highlights of the moment they were copied; a refilled page chooses
    // nothing, so nothing on it may stay highlighted.
    for (const PageRefill& refill : PagesToRefill(changes)) {
        switch (refill.page) {
        case PAGE_STREETS:
            m_pCalles->ClearHighlights();
            break;
        case PAGE_REFERENCES:
            m_pReferencias->ClearHighlights();
            break;
        case PAGE_COLONIES:
            m_pColonias->ClearHighlights();
            break;
        case PAGE_ROUTES:
            m_pRutas->ClearHighlights();
            break;
        case PAGE_ZONES:
            m_pZonas->ForgetShownZone();
            break;
        default:
            break;
        }
        const QString category = m_pServicios->Categories()->currentText();
        SendMessageToDescendants(m_pFrame, UM_REFRESH_PAGES, refill.page, refill.option);
        if (refill.page == PAGE_BUSINESSES && refill.option == REFRESH_CATEGORIES)
            m_pServicios->ReselectCategory(category);
    }
}
