#include "propiedades.h"

#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "prop_zonas.h"

#include <QTabBar>

CPropiedades::CPropiedades(MapStore& store, QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("propiedades"));
    // Six tabs do not fit the panel's width; they scroll instead of squeezing.
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    tabBar()->setExpanding(false);
    m_pCalles = new CPropCalles(store, this);
    m_pReferencias = new CPropReferencias(store, this);
    m_pRutas = new CPropRutas(store, this);
    m_pServicios = new CPropServicios(store, this);
    m_pColonias = new CPropColonias(store, this);
    m_pZonas = new CPropZonas(store, this);
    addTab(m_pCalles, QStringLiteral("Calles"));
    addTab(m_pReferencias, QStringLiteral("Referencias"));
    addTab(m_pRutas, QStringLiteral("Rutas"));
    addTab(m_pServicios, QStringLiteral("Marcas"));
    addTab(m_pColonias, QStringLiteral("Colonias"));
    addTab(m_pZonas, QStringLiteral("Zonas"));
    setCurrentIndex(kStreetsPage);
}

void CPropiedades::SetFrame(QWidget* frame) {
    m_pCalles->SetFrame(frame);
    m_pReferencias->SetFrame(frame);
    m_pRutas->SetFrame(frame);
    m_pServicios->SetFrame(frame);
    m_pColonias->SetFrame(frame);
    m_pZonas->SetFrame(frame);
}
