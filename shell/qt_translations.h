#pragma once

// Qt's own dialogs (printing, files, colours, fonts) in Spanish: the program's
// texts are written in Spanish, Qt's come from its translation catalogues.

#include <QTranslator>

#include <memory>

// Qt's Spanish catalogue from the installed translations
// (QLibraryInfo::TranslationsPath; Debian's qt6-translations-l10n), installed
// in the running application. Nothing when it is not there, or when the
// program speaks English (Qt's own language): the dialogs then are in
// English, and the rest of the program works as before.
std::unique_ptr<QTranslator> InstallQtTranslations(bool english = false);
