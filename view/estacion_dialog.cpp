#include "estacion_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

CEstacionDlg::CEstacionDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(tr("Insertar estación"));
    SetDlgSize(186, 71);
    AddLabel(tr("Nombre de la estacion:"), 7, 7);
    m_pName = AddEdit(1051, 7, 17, 172, 14);
    m_pFinish = new QCheckBox(tr("Finalizar ruta"), this);
    m_pFinish->setObjectName(ControlName("check", 1052));
    // The text needs more room than the template's 55 units in most fonts.
    m_pFinish->move(DlgX(7), DlgY(36));
    m_pFinish->adjustSize();
    QPushButton* ok = AddButton(1, tr("OK"), 7, 50, 50, 14);
    QPushButton* cancel = AddButton(2, tr("Cancel"), 129, 50, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CEstacionDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    m_pFinish->setChecked(m_bFinish);
    m_pName->setFocus();
}

void CEstacionDlg::SaveData() {
    m_strName = m_pName->text();
    m_bFinish = m_pFinish->isChecked();
}
