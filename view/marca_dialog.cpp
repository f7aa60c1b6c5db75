#include "marca_dialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

CMarcaDlg::CMarcaDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(tr("Marcas"));
    SetDlgSize(242, 151);
    AddLabel(tr("Nombre:"), 7, 9);
    AddLabel(tr("Telefono:"), 7, 24);
    AddLabel(tr("Domicilio:"), 7, 40);
    m_pNombre = AddEdit(1014, 52, 7, 183, 14);
    ConvertToCapitals(m_pNombre);
    m_pTelefono = AddEdit(1016, 52, 22, 183, 14);
    m_pDomicilio = AddMultiLineEdit(1017, 52, 38, 183, 84);
    QPushButton* ok = AddButton(1, tr("OK"), 7, 130, 50, 14);
    QPushButton* cancel = AddButton(2, tr("Cancelar"), 185, 130, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    AddNextControlButton();
}

void CMarcaDlg::OnInitDialog() {
    m_pNombre->setText(m_strNombre);
    m_pTelefono->setText(m_strTelefono);
    m_pDomicilio->setPlainText(m_strDomicilio);
    m_pNombre->setFocus();
}

void CMarcaDlg::SaveData() {
    m_strDomicilio = m_pDomicilio->toPlainText();
    m_strNombre = m_pNombre->text();
    m_strTelefono = m_pTelefono->text();
}
