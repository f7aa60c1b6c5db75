#pragma once

// The "Zonas" page: the map's zones in store order with the notes of the chosen
// one, and the commands that make, rename, delete and fill zones.

#include <QString>
#include <QWidget>

class MapStore;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class CPropZonas : public QWidget {
    Q_OBJECT
public:
    explicit CPropZonas(MapStore& store, QWidget* parent = nullptr);

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Stops the map showing the shown zone, then lists the zones in store order.
    void Refill();

    QListWidget* List() const { return m_pList; }
    QPlainTextEdit* Notes() const { return m_pNotes; }
    int ShownZone() const { return m_nShownZone; }

private:
    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    QListWidget* m_pList = nullptr;
    QPlainTextEdit* m_pNotes = nullptr;
    QPushButton* m_pNew = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pAssign = nullptr;
    QString m_strNotes;
    // The zone whose blocks the map was last asked to show, or -1.
    int m_nShownZone = -1;
};
