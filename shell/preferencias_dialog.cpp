#include "preferencias_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kAutosaveKey = QStringLiteral("autosave/minutes");

} // namespace

CPreferenciasDlg::CPreferenciasDlg(int autosaveMinutes, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("preferenciasDlg"));
    setWindowTitle(QStringLiteral("Preferencias"));

    auto* before = new QLabel(QStringLiteral("Guardar una copia de recuperación cada"), this);
    m_pMinutes = new QSpinBox(this);
    m_pMinutes->setObjectName(QStringLiteral("autosaveMinutes"));
    m_pMinutes->setRange(0, kMaxMinutes);
    m_pMinutes->setValue(std::clamp(autosaveMinutes, 0, kMaxMinutes));
    // Zero is no interval at all: the spin box says so in words.
    m_pMinutes->setSpecialValueText(QStringLiteral("nunca"));
    before->setBuddy(m_pMinutes);
    auto* after = new QLabel(QStringLiteral("minutos"), this);
    auto* note = new QLabel(
        QStringLiteral("Mientras el mapa tiene cambios sin guardar, Veltrix guarda aparte una "
                       "copia de recuperación que ofrece si el programa se cierra sin querer. "
                       "Con 0 no se guarda ninguna."),
        this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(before);
    row->addWidget(m_pMinutes);
    row->addWidget(after);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(note);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    resize(std::max(sizeHint().width(), 420), sizeHint().height());
}

int CPreferenciasDlg::Minutes() const {
    return m_pMinutes->value();
}

int CPreferenciasDlg::StoredAutosaveMinutes() {
    bool ok = false;
    const int minutes = QSettings().value(kAutosaveKey, kDefaultMinutes).toInt(&ok);
    return ok ? std::clamp(minutes, 0, kMaxMinutes) : kDefaultMinutes;
}

void CPreferenciasDlg::StoreAutosaveMinutes(int minutes) {
    QSettings().setValue(kAutosaveKey, std::clamp(minutes, 0, kMaxMinutes));
}
