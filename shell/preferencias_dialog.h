#pragma once

// "Preferencias": how often the open map's unsaved changes are copied aside
// for recovery after a crash, in minutes (0 never), and the language the
// program speaks from its next start. The choices are kept in the program's
// settings.

#include "app_language.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

class CPreferenciasDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDefaultMinutes = 2;
    static constexpr int kMaxMinutes = 120;

    CPreferenciasDlg(int autosaveMinutes, AppLanguage language, QWidget* parent = nullptr);
    int Minutes() const;
    AppLanguage Language() const;

    // The interval kept in the settings; the default where none is kept.
    static int StoredAutosaveMinutes();
    static void StoreAutosaveMinutes(int minutes);

private:
    QSpinBox* m_pMinutes = nullptr;
    QComboBox* m_pLanguage = nullptr;
};
