#include "zona_dialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

CZonaDlg::CZonaDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(tr("Edición zonas"));
    SetDlgSize(172, 98);
    AddLabel(tr("Nombre:"), 7, 9);
    AddLabel(tr("Notas:"), 7, 25);
    m_pName = AddEdit(1014, 37, 7, 128, 14);
    m_pNotes = AddMultiLineEdit(1098, 37, 23, 128, 46);
    QPushButton* ok = AddButton(1, tr("OK"), 7, 77, 50, 14);
    QPushButton* cancel = AddButton(2, tr("Cancelar"), 115, 77, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    AddNextControlButton();
}

void CZonaDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    m_pNotes->setPlainText(m_strNotes);
    m_pName->setFocus();
}

void CZonaDlg::SaveData() {
    m_strName = m_pName->text();
    m_strNotes = m_pNotes->toPlainText();
}
