#include "prop_name_page.h"

#include "page_widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CPropNamePage::CPropNamePage(MapStore& store, const QString& title, QWidget* parent)
    : QWidget(parent), m_store(store) {
    setWindowTitle(title);
    m_pList = MakePageList(this);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pEdit = MakePageButton(QStringLiteral("Editar"), IDC_EDIT, this);
    m_pDelete = MakePageButton(QStringLiteral("Eliminar"), IDC_DELETE, this);
    m_pSearch = MakePageButton(QStringLiteral("Buscar"), IDC_SEARCH, this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pEdit);
    buttons->addWidget(m_pDelete);
    buttons->addWidget(m_pSearch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
}

void CPropNamePage::FillList(const std::vector<std::string>& names) {
    m_pList->clear();
    for (const std::string& name : names)
        m_pList->addItem(QString::fromStdString(name));
}
