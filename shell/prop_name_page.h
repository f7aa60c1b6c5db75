#pragma once

// The common layout and operations of the pages that list named elements one
// per line (traced streets, references, colonies): list 1001 with "Editar",
// "Eliminar" and "Buscar" below it. Line i always shows element i of the
// page's list; choosing a line highlights the element and shows it on the map.

#include "messages.h"

#include <QWidget>

#include <cstddef>
#include <string>

class MapEdit;

class CEditHistory;
class CMapDocument;
class MapStore;
class QListWidget;
class QPushButton;

class CPropNamePage : public QWidget {
    Q_OBJECT
public:
    enum : int { IDC_LIST = 1001, IDC_EDIT = 1004, IDC_DELETE = 1005, IDC_SEARCH = 1102 };

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Empties the list and lists the elements' names in store order.
    void Refill();
    // Clears every element's highlight, after the content was replaced by an
    // undo or a redo and nothing is chosen any more.
    void ClearHighlights();

    QListWidget* List() const { return m_pList; }

    // Commands of the page's buttons and list.
    void OnSelChange();
    void OnEdit();
    void OnDelete();
    void OnSearch();

protected:
    // Changes made on the page become steps of the document's history.
    CPropNamePage(CMapDocument& document, const QString& title, QWidget* parent);

    // What tells the three pages apart.
    virtual std::size_t Count() const = 0;
    virtual std::string& NameAt(std::size_t i) = 0;
    virtual bool& HighlightAt(std::size_t i) = 0;
    // The edits that rename and remove element `i`.
    virtual void Rename(MapEdit& edit, std::size_t i, const std::string& name) const = 0;
    virtual void Remove(MapEdit& edit, std::size_t i) const = 0;
    // The element kind of UM_LOCATE_ITEM, which is also the search dialog's.
    virtual int Kind() const = 0;
    virtual QString DeleteQuestion() const = 0;
    // Names of the undo steps.
    virtual QString RenameStep() const = 0;
    virtual QString DeleteStep() const = 0;
    // References and colonies are drawn with their names, so a rename redraws the map.
    virtual bool RedrawsAfterRename() const { return true; }

    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    CEditHistory* m_pHistory;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pSearch = nullptr;
    // The highlight flag of the element this page last highlighted; forgotten
    // at every refill.
    bool* m_posHighlighted = nullptr;

private:
    void Locate(long long kind, long long index);
};
