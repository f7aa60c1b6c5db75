#pragma once

// The "Rutas" page: the map's routes in store order, an unnamed route shown as
// "Ruta" and its line number counted from 1. Choosing a line shows the route.

#include "records.h"

#include <QWidget>

class CEditHistory;
class CMapDocument;
class MapStore;
class QListWidget;
class QPushButton;

class CPropRutas : public QWidget {
    Q_OBJECT
public:
    // Changes made on the page become steps of the document's history.
    explicit CPropRutas(CMapDocument& document, QWidget* parent = nullptr);

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    void Refill();
    // Clears every route's show flag, after an undo or a redo replaced them.
    void ClearHighlights();
    // The line of the route at `number` (from 1) when it has no name.
    static QString UnnamedRouteText(int number);

    QListWidget* List() const { return m_pList; }

    void OnSelChange();
    void OnEdit();
    void OnDelete();

private:
    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    CEditHistory* m_pHistory;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pDelete = nullptr;
    // The route this page last highlighted; forgotten at every refill.
    CmVias* m_posHighlighted = nullptr;
};
