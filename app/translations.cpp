#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace tallyrun {

namespace {

// "C", "POSIX" and their forms with an encoding or a modifier ("C.UTF-8", "POSIX@x").
bool IsCOrPosix(const QString& name)
{
    const QString base = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    return base.compare(QLatin1String("C"), Qt::CaseInsensitive) == 0 ||
           base.compare(QLatin1String("POSIX"), Qt::CaseInsensitive) == 0;
}

QStringList NamedLanguages(const QStringList& uiLanguages)
{
    QStringList named;
    for (const QString& language : uiLanguages)
        if (!language.isEmpty() && !IsCOrPosix(language))
            named << language;
    return named;
}

// The language part of "ja-JP", "ja_JP.UTF-8" or "ja".
QString LanguageCode(const QString& name)
{
    return name.section(QLatin1Char('-'), 0, 0)
        .section(QLatin1Char('_'), 0, 0)
        .section(QLatin1Char('.'), 0, 0)
        .toLower();
}

// The translator once the application has taken it, or none.
std::unique_ptr<QTranslator> Installed(std::unique_ptr<QTranslator> translator)
{
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

std::unique_ptr<QTranslator> LoadQtCatalogue(const QStringList& uiLanguages)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString& language : QtCatalogueLanguages(uiLanguages)) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                             folder))
            return Installed(std::move(translator));
    }
    return nullptr;
}

} // namespace

TProgramLanguage ProgramLanguage(const QStringList& uiLanguages)
{
    const QStringList named = NamedLanguages(uiLanguages);
    if (named.isEmpty() || LanguageCode(named.constFirst()) == QLatin1String("ja"))
        return TProgramLanguage::plJapanese;
    return TProgramLanguage::plEnglish;
}

QStringList QtCatalogueLanguages(const QStringList& uiLanguages)
{
    const QStringList named = NamedLanguages(uiLanguages);
    return named.isEmpty() ? QStringList{QStringLiteral("ja")} : named;
}

TInstalledTranslations InstallTranslations(const QStringList& uiLanguages)
{
    TInstalledTranslations installed;
    installed.language = ProgramLanguage(uiLanguages);
    if (installed.language == TProgramLanguage::plEnglish) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QString::fromLatin1(kEnglishCataloguePath)))
            installed.program = Installed(std::move(translator));
    }
    installed.qt = LoadQtCatalogue(uiLanguages);
    return installed;
}

TInstalledTranslations InstallTranslations()
{
    return InstallTranslations(QLocale::system().uiLanguages());
}

} // namespace tallyrun
