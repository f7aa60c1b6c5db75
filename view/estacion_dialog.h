#pragma once

// Names a station of the route being traced, and says whether it is the last.

#include "dialog_base.h"

class QCheckBox;

class CEstacionDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CEstacionDlg(QWidget* parent = nullptr);

    QString m_strName;
    bool m_bFinish = false;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QLineEdit* m_pName = nullptr;
    QCheckBox* m_pFinish = nullptr;
};
