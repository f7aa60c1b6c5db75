#pragma once

// The "Rutas" page: the map's routes in store order, an unnamed route shown as
// "Ruta" and its line number counted from 1.

#include "records.h"

#include <QWidget>

class MapStore;
class QListWidget;
class QPushButton;

class CPropRutas : public QWidget {
    Q_OBJECT
public:
    explicit CPropRutas(MapStore& store, QWidget* parent = nullptr);

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    void Refill();
    // The line of the route at `number` (from 1) when it has no name.
    static QString UnnamedRouteText(int number);

    QListWidget* List() const { return m_pList; }

private:
    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pDelete = nullptr;
    // The route this page last highlighted; forgotten at every refill.
    CmVias* m_posHighlighted = nullptr;
};
