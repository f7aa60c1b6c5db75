#pragma once

// Asks for the name of a new category, or the new name of an existing one.

#include "dialog_base.h"

class CNuevaCategoriaDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CNuevaCategoriaDlg(QWidget* parent = nullptr);

    QString m_strName;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QLineEdit* m_pName = nullptr;
};
