#include "info_mapa_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct CountRow {
    int id;
    const char* label;
};

// In the order the dialog shows them.
constexpr CountRow kRows[] = {
    {1055, QT_TRANSLATE_NOOP("CInfoMapaDlg", "Num. de manzanas:")},
    {1056, QT_TRANSLATE_NOOP("CInfoMapaDlg", "Num. de nombres de calles:")},
    {1057, QT_TRANSLATE_NOOP("CInfoMapaDlg", "Num. de calles trazadas:")},
    {1058, QT_TRANSLATE_NOOP("CInfoMapaDlg", "Num. de referencias:")},
};

} // namespace

CInfoMapaDlg::CInfoMapaDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("infoMapaDlg"));
    setWindowTitle(tr("Propiedades"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const CountRow& count : kRows) {
        auto* label = new QLabel(tr(count.label), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edit%1").arg(count.id));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
        grid->addWidget(label, row, 0, Qt::AlignRight);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CInfoMapaDlg::UpdateData() {
    const unsigned values[] = {m_nBlockCount, m_nStreetNameCount, m_nTracedStreetCount,
                               m_nReferenceCount};
    for (int i = 0; i < 4; ++i) {
        if (auto* edit = findChild<QLineEdit*>(QStringLiteral("edit%1").arg(kRows[i].id)))
            edit->setText(QString::number(values[i]));
    }
}

int CInfoMapaDlg::exec() {
    UpdateData();
    return QDialog::exec();
}
