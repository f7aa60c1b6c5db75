#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

std::unique_ptr<QTranslator> InstallQtTranslations(bool english) {
    if (english)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt_es" gathers the catalogues of every Qt module, qtbase among them.
    if (!translator->load(QLocale(QLocale::Spanish, QLocale::Mexico), QStringLiteral("qt"),
                          QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}
