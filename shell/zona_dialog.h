#pragma once

// Name and notes of a zone.

#include "dialog_base.h"

class CZonaDlg : public CDialogBase {
    Q_OBJECT
public:
    explicit CZonaDlg(QWidget* parent = nullptr);

    QString m_strName;
    QString m_strNotes;

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QLineEdit* m_pName = nullptr;
    QPlainTextEdit* m_pNotes = nullptr;
};
