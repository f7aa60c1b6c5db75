#pragma once

// "Propiedades": the counts of the open map's blocks, street names, traced
// streets and references.

#include <QDialog>

class CInfoMapaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInfoMapaDlg(QWidget* parent = nullptr);

    unsigned m_nBlockCount = 0;
    unsigned m_nTracedStreetCount = 0;
    unsigned m_nStreetNameCount = 0;
    unsigned m_nReferenceCount = 0;

    // Shows the members in the edits (done by exec() too).
    void UpdateData();

    int exec() override;
};
