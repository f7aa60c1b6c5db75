#pragma once

// The "Zonas" page: the map's zones in store order with the notes of the chosen
// one, and the commands that make, rename and delete zones and give a zone the
// blocks selected on the map. Choosing a zone with blocks shows them on the map.

#include <QString>
#include <QWidget>

class CEditHistory;
class CMapDocument;
class MapStore;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class CPropZonas : public QWidget {
    Q_OBJECT
public:
    // Changes made on the page become steps of the document's history.
    explicit CPropZonas(CMapDocument& document, QWidget* parent = nullptr);

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Stops the map showing the shown zone, empties the notes, then lists the
    // zones in store order.
    void Refill();
    // After an undo or a redo the zone numbers may name other zones: the shown
    // zone is forgotten, so the next refill clears the whole block selection.
    void ForgetShownZone() { m_nShownZone = -1; }

    QListWidget* List() const { return m_pList; }
    QPlainTextEdit* Notes() const { return m_pNotes; }
    int ShownZone() const { return m_nShownZone; }

    void OnSelChange();
    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnAssign();

protected:
    bool event(QEvent* event) override;

private:
    void ShowNotes(const QString& notes);
    void ShowZone(int hide, int show);

    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    CEditHistory* m_pHistory;
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
