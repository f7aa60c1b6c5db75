#include "nueva_ruta_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CNuevaRutaDlg::CNuevaRutaDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(QStringLiteral("Nueva ruta"));
    SetDlgSize(147, 62);
    AddLabel(QStringLiteral("Escriba un nombre para la ruta:"), 7, 7);
    m_pName = AddEdit(1014, 7, 19, 133, 14);
    ConvertToCapitals(m_pName);
    QPushButton* ok = AddButton(1, QStringLiteral("OK"), 7, 41, 50, 14);
    QPushButton* cancel = AddButton(2, QStringLiteral("Cancel"), 90, 41, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CNuevaRutaDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    m_pName->setFocus();
}

void CNuevaRutaDlg::SaveData() {
    m_strName = m_pName->text();
}
