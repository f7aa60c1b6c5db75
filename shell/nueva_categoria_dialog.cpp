#include "nueva_categoria_dialog.h"

#include <QLineEdit>
#include <QPushButton>

CNuevaCategoriaDlg::CNuevaCategoriaDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(QStringLiteral("Nueva categoria"));
    SetDlgSize(186, 52);
    AddLabel(QStringLiteral("Nombre:"), 7, 9);
    m_pName = AddEdit(1014, 37, 7, 142, 14);
    QPushButton* ok = AddButton(1, QStringLiteral("OK"), 7, 31, 50, 14);
    QPushButton* cancel = AddButton(2, QStringLiteral("Cancelar"), 129, 31, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CNuevaCategoriaDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    m_pName->setFocus();
}

void CNuevaCategoriaDlg::SaveData() {
    m_strName = m_pName->text();
}
