#pragma once

// Asks for one name: streets, references, colonies and routes are named and
// renamed through it.

#include "dialog_base.h"

class CNombreDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CNombreDlg(QWidget* parent = nullptr);

    QString m_strName;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QLineEdit* m_pName = nullptr;
};
