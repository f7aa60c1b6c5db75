#include "app_language.h"

#include <QCoreApplication>
#include <QSettings>
#include <QString>

namespace {

const QString kLanguageKey = QStringLiteral("idioma");

QSettings EditorSettings() {
    return QSettings(QString::fromLatin1(kSettingsOrganization),
                     QString::fromLatin1(kSettingsApplication));
}

} // namespace

AppLanguage StoredLanguage() {
    const QString stored = EditorSettings().value(kLanguageKey).toString();
    if (stored == QLatin1String("es"))
        return AppLanguage::Spanish;
    if (stored == QLatin1String("en"))
        return AppLanguage::English;
    return AppLanguage::System;
}

void StoreLanguage(AppLanguage language) {
    QSettings settings = EditorSettings();
    if (language == AppLanguage::System)
        settings.remove(kLanguageKey);
    else
        settings.setValue(kLanguageKey, language == AppLanguage::English ? QStringLiteral("en")
                                                                         : QStringLiteral("es"));
}

bool SpeaksEnglish(AppLanguage language, const QLocale& system) {
    if (language != AppLanguage::System)
        return language == AppLanguage::English;
    return system.language() == QLocale::English;
}

std::unique_ptr<QTranslator> LoadProgramTranslation(bool english) {
    if (!english)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/veltrix_en.qm")))
        return nullptr;
    return translator;
}

std::unique_ptr<QTranslator> InstallProgramTranslation(bool english) {
    std::unique_ptr<QTranslator> translator = LoadProgramTranslation(english);
    if (!translator || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}
