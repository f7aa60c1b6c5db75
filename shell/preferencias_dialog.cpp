#include "preferencias_dialog.h"

#include <QComboBox>
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

CPreferenciasDlg::CPreferenciasDlg(int autosaveMinutes, AppLanguage language, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("preferenciasDlg"));
    setWindowTitle(tr("Preferencias"));

    auto* before = new QLabel(tr("Guardar una copia de recuperación cada"), this);
    m_pMinutes = new QSpinBox(this);
    m_pMinutes->setObjectName(QStringLiteral("autosaveMinutes"));
    m_pMinutes->setRange(0, kMaxMinutes);
    m_pMinutes->setValue(std::clamp(autosaveMinutes, 0, kMaxMinutes));
    // Zero is no interval at all: the spin box says so in words.
    m_pMinutes->setSpecialValueText(tr("nunca"));
    before->setBuddy(m_pMinutes);
    auto* after = new QLabel(tr("minutos"), this);
    auto* note =
        new QLabel(tr("Mientras el mapa tiene cambios sin guardar, Veltrix guarda aparte una "
                      "copia de recuperación que ofrece si el programa se cierra sin querer. "
                      "Con 0 no se guarda ninguna."),
                   this);
    note->setWordWrap(true);

    auto* languageLabel = new QLabel(tr("&Idioma:"), this);
    m_pLanguage = new QComboBox(this);
    m_pLanguage->setObjectName(QStringLiteral("language"));
    // Each language is named in itself, so that whoever cannot read the other finds theirs.
    m_pLanguage->addItem(tr("El del sistema"), static_cast<int>(AppLanguage::System));
    m_pLanguage->addItem(QStringLiteral("Español"), static_cast<int>(AppLanguage::Spanish));
    m_pLanguage->addItem(QStringLiteral("English"), static_cast<int>(AppLanguage::English));
    m_pLanguage->setCurrentIndex(m_pLanguage->findData(static_cast<int>(language)));
    languageLabel->setBuddy(m_pLanguage);
    auto* languageNote =
        new QLabel(tr("El idioma cambia la próxima vez que se abre Veltrix."), this);
    languageNote->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
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
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(m_pLanguage);
    languageRow->addStretch(1);
    layout->addLayout(languageRow);
    layout->addWidget(languageNote);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    resize(std::max(sizeHint().width(), 420), sizeHint().height());
}

int CPreferenciasDlg::Minutes() const {
    return m_pMinutes->value();
}

AppLanguage CPreferenciasDlg::Language() const {
    return static_cast<AppLanguage>(m_pLanguage->currentData().toInt());
}

int CPreferenciasDlg::StoredAutosaveMinutes() {
    bool ok = false;
    const int minutes = QSettings().value(kAutosaveKey, kDefaultMinutes).toInt(&ok);
    return ok ? std::clamp(minutes, 0, kMaxMinutes) : kDefaultMinutes;
}

void CPreferenciasDlg::StoreAutosaveMinutes(int minutes) {
    QSettings().setValue(kAutosaveKey, std::clamp(minutes, 0, kMaxMinutes));
}
