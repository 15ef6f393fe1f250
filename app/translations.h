// The language the program speaks. Its texts are written in Japanese in the code; an English
// catalogue, built into the program, translates them, and Qt's own catalogue translates the
// texts of Qt's dialogs (the file dialog, the buttons of message boxes).
//
// The rule: the user's UI languages, in the order Qt reads them from the environment
// (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG), are looked at for the first one that is not
// C or POSIX. Japanese ("ja") keeps the Japanese texts, any other language gets English, and
// when there is none (a bare C or POSIX locale) the texts stay Japanese as well.
#pragma once

#include <QStringList>
#include <QTranslator>

#include <memory>

namespace tallyrun {

enum class TProgramLanguage
{
    plJapanese, // the texts as written in the code
    plEnglish,  // the English catalogue
};

// The program's language for `uiLanguages` (e.g. {"de-DE", "de"}), by the rule above.
TProgramLanguage ProgramLanguage(const QStringList& uiLanguages);

// The languages to look for Qt's own catalogue in, in order: the UI languages that are not
// C or POSIX, or Japanese alone when there is none, so that Qt's dialogs speak the program's
// language under a bare C locale too.
QStringList QtCatalogueLanguages(const QStringList& uiLanguages);

// The translators installed in the application; they are removed again when this goes.
struct TInstalledTranslations
{
    TProgramLanguage language = TProgramLanguage::plJapanese;
    std::unique_ptr<QTranslator> program; // the English catalogue, or none
    std::unique_ptr<QTranslator> qt;      // Qt's catalogue for the user's language, or none
};

// The catalogue built into the program.
inline constexpr const char* kEnglishCataloguePath = ":/i18n/tallyrun_en.qm";

// Installs the program's catalogue and Qt's own for `uiLanguages` in the running
// application. A catalogue that cannot be found is skipped: the texts then stay as written.
TInstalledTranslations InstallTranslations(const QStringList& uiLanguages);

// The same for the user's UI languages as Qt reads them from the environment.
TInstalledTranslations InstallTranslations();

} // namespace tallyrun
