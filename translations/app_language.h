#pragma once

// The language the program speaks. Its texts are written in Spanish, which it
// speaks unless the settings ask for English, or leave the choice to the
// system and the system speaks English. The choice takes effect at start-up.
// The editor and the command-line tool share it.

#include <QLocale>
#include <QTranslator>

#include <memory>

enum class AppLanguage { System, Spanish, English };

// The names the editor's settings are kept under. The choice is read and kept
// there whatever the running program calls itself, so that the tool speaks as
// the editor does.
inline constexpr char kSettingsOrganization[] = "KORVEN Soft";
inline constexpr char kSettingsApplication[] = "Veltrix";

// The choice kept in the settings; System where none is kept.
AppLanguage StoredLanguage();
void StoreLanguage(AppLanguage language);

// Whether `language`, on a system that speaks `system`, means English.
bool SpeaksEnglish(AppLanguage language, const QLocale& system);

// The program's English catalogue, loaded; nullptr when the program speaks
// Spanish (its own texts need no catalogue) or the catalogue cannot be loaded.
std::unique_ptr<QTranslator> LoadProgramTranslation(bool english);
// The same, installed in the running application.
std::unique_ptr<QTranslator> InstallProgramTranslation(bool english);
