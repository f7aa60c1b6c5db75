#pragma once

// Finds traced streets, colonies or references by part of their name. The
// search runs when the search edit loses the focus (Enter moves the focus on),
// ignoring letter case and accents; "Mostrar" or a double click chooses a line.

#include "dialog_base.h"

#include <vector>

class MapStore;
class QListWidget;

class CBuscarDlg : public CDialogBase {
    Q_OBJECT
public:
    enum : int { IDC_RESULTS = 1001, IDC_SEARCH = 1102, IDC_SHOW = 1103, IDC_CANCEL = 1104 };

    explicit CBuscarDlg(const MapStore& store, QWidget* parent = nullptr);

    QListWidget* Results() const { return m_pResults; }

    QString m_strSearch;
    // Which list is searched: 1 traced streets, 3 colonies, 4 references; any
    // other value finds nothing.
    int m_nKind = 0;
    // The element number chosen; meaningful only after the dialog was accepted.
    int m_nResult = -1;

    // Lists the elements whose names hold the text of the search edit.
    void OnSearch();
    // Takes the selected line as the result and closes; nothing without a line.
    void OnShow();

protected:
    void SaveData() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::string> NamesOfKind() const;

    const MapStore& m_store;
    QLineEdit* m_pSearch = nullptr;
    QListWidget* m_pResults = nullptr;
    // The element number of each result line, in line order.
    std::vector<int> m_pIndices;
};
