#include "name_dialog.h"

#include <QLineEdit>
#include <QPushButton>

CNombreDlg::CNombreDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(QStringLiteral("Edición nombre"));
    SetDlgSize(186, 47);
    AddLabel(QStringLiteral("Nombre:"), 7, 9);
    m_pName = AddEdit(1014, 36, 7, 143, 14);
    QPushButton* ok = AddButton(1, QStringLiteral("OK"), 7, 26, 50, 14);
    QPushButton* cancel = AddButton(2, QStringLiteral("Cancelar"), 129, 26, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CNombreDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    m_pName->setFocus();
}

void CNombreDlg::SaveData() {
    m_strName = m_pName->text();
}
