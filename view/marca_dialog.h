#pragma once

// Name, telephone and address of a business, as placed on the map or edited in
// the services page.

#include "dialog_base.h"

class CMarcaDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CMarcaDlg(QWidget* parent = nullptr);

    QString m_strDomicilio;
    QString m_strNombre;
    QString m_strTelefono;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QLineEdit* m_pNombre = nullptr;
    QLineEdit* m_pTelefono = nullptr;
    QPlainTextEdit* m_pDomicilio = nullptr;
};
