#pragma once

// Asks for the name of the route about to be traced; names are in capitals.

#include "dialog_base.h"

class CNuevaRutaDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CNuevaRutaDlg(QWidget* parent = nullptr);

    QString m_strName;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QLineEdit* m_pName = nullptr;
};
