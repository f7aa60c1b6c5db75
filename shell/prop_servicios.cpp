#include "prop_servicios.h"

#include "map_store.h"
#include "page_widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPropServicios::CPropServicios(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {
    setObjectName(QStringLiteral("propServicios"));
    setWindowTitle(QStringLiteral("Marcas"));
    auto* label = new QLabel(QStringLiteral("Categorias:"), this);
    m_pCategories = new QComboBox(this);
    m_pCategories->setObjectName(QStringLiteral("combo1003"));
    m_pCategories->setEditable(false);
    m_pCategories->setMaxVisibleItems(20);
    m_pBusinesses = MakePageList(this);
    m_pBusinesses->setSortingEnabled(true);
    m_pEdit = MakePageButton(QStringLiteral("Editar"), 1004, this);
    m_pCategoriesButton = MakePageButton(QStringLiteral("Categorias"), 1067, this);
    m_pDelete = MakePageButton(QStringLiteral("Eliminar"), 1005, this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addWidget(m_pCategoriesButton);
    buttons->addWidget(m_pDelete);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(label);
    layout->addWidget(m_pCategories);
    layout->addWidget(m_pBusinesses, 1);
    layout->addLayout(buttons);
    RefillCategories();
}

void CPropServicios::RefillCategories() {
    m_pCategories->clear();
    QStringList names;
    for (const auto& category : m_store.m_directory.m_listCategories)
        names.append(QString::fromStdString(category->m_strName));
    names.sort();
    m_pCategories->addItems(names);
    // Nothing is chosen until the user picks a category.
    m_pCategories->setCurrentIndex(-1);
    m_store.m_directory.m_pCurrent = nullptr;
    m_pBusinesses->clear();
}

void CPropServicios::RefillBusinesses() {
    m_pBusinesses->clear();
    CmClasificados* category = m_store.m_directory.m_pCurrent;
    if (!category)
        return;
    for (const auto& business : category->m_listBusinesses)
        m_pBusinesses->addItem(QString::fromStdString(business->m_strName));
    category->ClearCurrent();
}
