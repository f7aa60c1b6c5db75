#pragma once

// The property sheet of the control panel: six tabs in two rows, one list page
// per kind of named element, in the order the control panel numbers them.

#include <QTabWidget>

#include <vector>

class CMapDocument;
struct MapChange;
class CPropCalles;
class CPropColonias;
class CPropReferencias;
class CPropRutas;
class CPropServicios;
class CPropZonas;
class CStackedTabBar;

class CPropiedades : public QTabWidget {
    Q_OBJECT
public:
    enum : int {
        kStreetsPage = 0,
        kReferencesPage = 1,
        kRoutesPage = 2,
        kBusinessesPage = 3,
        kColoniesPage = 4,
        kZonesPage = 5,
    };

    // The pages show the document's map and refill themselves after its undo
    // and redo.
    explicit CPropiedades(CMapDocument& document, QWidget* parent = nullptr);

    // Every page sends its messages to this window's descendants.
    void SetFrame(QWidget* frame);
    // After an undo or a redo put back these records: the pages that show them
    // are refilled (categories too, the chosen one kept when it still exists),
    // nothing stays highlighted there and, when zones came back, no zone stays
    // shown.
    void RefreshAfterRestore(const std::vector<MapChange>& changes);

    CPropCalles* Calles() const { return m_pCalles; }
    CPropReferencias* Referencias() const { return m_pReferencias; }
    CPropRutas* Rutas() const { return m_pRutas; }
    CPropServicios* Servicios() const { return m_pServicios; }
    CPropColonias* Colonias() const { return m_pColonias; }
    CPropZonas* Zonas() const { return m_pZonas; }
    CStackedTabBar* Tabs() const;

private:
    QWidget* m_pFrame = nullptr;
    CPropCalles* m_pCalles = nullptr;
    CPropReferencias* m_pReferencias = nullptr;
    CPropRutas* m_pRutas = nullptr;
    CPropServicios* m_pServicios = nullptr;
    CPropColonias* m_pColonias = nullptr;
    CPropZonas* m_pZonas = nullptr;
};
