#include "name_dialog.h"

#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSize>

namespace {

// Where everything goes, in dialog units; OK sits at x 7 on the buttons' row.
struct NameLayout {
    const char* title;
    const char* prompt;
    const char* cancel;
    bool capitals;
    QSize size;
    QPoint promptAt;
    QRect edit;
    int buttonsY;
    int cancelX;
};

// In the order of CNombreDlg::Kind.
const NameLayout kLayouts[] = {
    {QT_TRANSLATE_NOOP("CNombreDlg", "Edición nombre"),
     QT_TRANSLATE_NOOP("CNombreDlg", "Nombre:"),
     QT_TRANSLATE_NOOP("CNombreDlg", "Cancelar"),
     false,
     {186, 47},
     {7, 9},
     {36, 7, 143, 14},
     26,
     129},
    {QT_TRANSLATE_NOOP("CNombreDlg", "Nueva ruta"),
     QT_TRANSLATE_NOOP("CNombreDlg", "Escriba un nombre para la ruta:"),
     QT_TRANSLATE_NOOP("CNombreDlg", "Cancel"),
     true,
     {147, 62},
     {7, 7},
     {7, 19, 133, 14},
     41,
     90},
    {QT_TRANSLATE_NOOP("CNombreDlg", "Nueva categoria"),
     QT_TRANSLATE_NOOP("CNombreDlg", "Nombre:"),
     QT_TRANSLATE_NOOP("CNombreDlg", "Cancelar"),
     false,
     {186, 52},
     {7, 9},
     {37, 7, 142, 14},
     31,
     129},
};

} // namespace

CNombreDlg::CNombreDlg(Kind kind, QWidget* parent) : CDialogBase(parent), m_kind(kind) {
    const NameLayout& l = kLayouts[static_cast<int>(kind)];
    setWindowTitle(tr(l.title));
    SetDlgSize(l.size.width(), l.size.height());
    AddLabel(tr(l.prompt), l.promptAt.x(), l.promptAt.y());
    m_pName = AddEdit(1014, l.edit.x(), l.edit.y(), l.edit.width(), l.edit.height());
    if (l.capitals)
        ConvertToCapitals(m_pName);
    QPushButton* ok = AddButton(1, tr("OK"), 7, l.buttonsY, 50, 14);
    QPushButton* cancel = AddButton(2, tr(l.cancel), l.cancelX, l.buttonsY, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CNombreDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    m_pName->setFocus();
}

void CNombreDlg::SaveData() {
    m_strName = m_pName->text();
}
