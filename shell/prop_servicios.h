#pragma once

// The "Marcas" page: the business categories of the map in a drop-down box and
// the businesses of the current category below it, both sorted by name.

#include <QWidget>

class MapStore;
class QComboBox;
class QListWidget;
class QPushButton;

class CPropServicios : public QWidget {
    Q_OBJECT
public:
    explicit CPropServicios(MapStore& store, QWidget* parent = nullptr);

    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    // Lists the categories, leaves none current and empties the business list.
    void RefillCategories();
    // Lists the current category's businesses and leaves none of them current.
    void RefillBusinesses();

    QComboBox* Categories() const { return m_pCategories; }
    QListWidget* Businesses() const { return m_pBusinesses; }

private:
    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    QComboBox* m_pCategories = nullptr;
    QListWidget* m_pBusinesses = nullptr;
    QPushButton* m_pEdit = nullptr;
    QPushButton* m_pCategoriesButton = nullptr;
    QPushButton* m_pDelete = nullptr;
};
