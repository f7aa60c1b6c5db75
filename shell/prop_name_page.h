#pragma once

// The common layout of the pages that list named elements one per line (traced
// streets, references, colonies): list 1001 with "Editar", "Eliminar" and
// "Buscar" below it. Line i always shows element i of the page's list.

#include <QWidget>

#include <string>
#include <vector>

class MapStore;
class QListWidget;
class QPushButton;

class CPropNamePage : public QWidget {
    Q_OBJECT
public:
    enum : int { IDC_LIST = 1001, IDC_EDIT = 1004, IDC_DELETE = 1005, IDC_SEARCH = 1102 };

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Empties the list and lists the elements' names in store order.
    virtual void Refill() = 0;

    QListWidget* List() const { return m_pList; }

protected:
    CPropNamePage(MapStore& store, const QString& title, QWidget* parent);
    // Lines added at the end, never sorted, so line numbers stay element numbers.
    void FillList(const std::vector<std::string>& names);

    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    QListWidget* m_pList = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pSearch = nullptr;
};

// The names of a list of records, in list order.
template <typename List>
std::vector<std::string> NamesOf(const List& list) {
    std::vector<std::string> names;
    names.reserve(list.size());
    for (const auto& element : list)
        names.push_back(element->m_strName);
    return names;
}
