#pragma once

// The "Marcas" page: the business categories of the map in a drop-down box and
// the businesses of the chosen category below it, both sorted by name. The
// page keeps no element numbers: it names categories and businesses by their
// text and works through the directory's current category and business.

#include <QWidget>

class CEditHistory;
class CMapDocument;
class MapStore;
class QComboBox;
class QListWidget;
class QPushButton;

class CPropServicios : public QWidget {
    Q_OBJECT
public:
    // Changes made on the page become steps of the document's history.
    explicit CPropServicios(CMapDocument& document, QWidget* parent = nullptr);

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Lists the categories, leaves none current and empties the business list.
    void RefillCategories();
    // Lists the current category's businesses and leaves none of them current.
    void RefillBusinesses();
    // Makes the category named `name` current again after a refill, when it
    // still exists; nothing is sent to the map.
    void ReselectCategory(const QString& name);

    QComboBox* Categories() const { return m_pCategories; }
    QListWidget* Businesses() const { return m_pBusinesses; }

    void OnChooseCategory(int index);
    void OnChooseBusiness();
    void OnEdit();
    void OnDelete();
    void OnCategories();

private:
    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    CEditHistory* m_pHistory;
    QComboBox* m_pCategories = nullptr;
    QListWidget* m_pBusinesses = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pCategoriesButton = nullptr;
    QPushButton* m_pDelete = nullptr;
};
