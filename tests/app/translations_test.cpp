// The choice of language and the English catalogue: every text of the code has a finished
// English translation, the built-in catalogue gives it at run time, and under Japanese or a
// bare C locale every text stays as written, with Qt's own dialogs in Japanese too.
#include "app/translations.h"

#include "language_checks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <vector>

namespace tallyrun::test {
namespace {

struct TCatalogueEntry
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete", or empty for a finished entry
};

std::vector<TCatalogueEntry> ReadCatalogue(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<TCatalogueEntry> entries;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            entries.push_back({context, {}, {}, {}});
        } else if (xml.name() == u"source" && !entries.empty()) {
            entries.back().source = xml.readElementText();
        } else if (xml.name() == u"translation" && !entries.empty()) {
            entries.back().type = xml.attributes().value(QStringLiteral("type")).toString();
            entries.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return entries;
}

// The placeholders of a text, in order: "%1", "%0:s", "%n".
QStringList Placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+(:s)?|n)"));
    QStringList found;
    for (const auto& match : placeholder.globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

std::string Describe(const TCatalogueEntry& entry)
{
    return (entry.context + QStringLiteral(" \"") + entry.source + QStringLiteral("\""))
        .toStdString();
}

// lupdate over the code, into a copy of the catalogue: what the catalogue lacks comes out as
// unfinished entries, so new texts that nobody translated yet are caught too.
TEST(TranslationCatalogueTest, EveryTextOfTheCodeHasAFinishedEnglishTranslation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QStringLiteral("tallyrun_en.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALLYRUN_CATALOGUE), copy));
    QProcess lupdate;
    lupdate.start(QStringLiteral(TALLYRUN_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("-silent"),
                   QStringLiteral("@" TALLYRUN_TRANSLATED_SOURCES), QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const std::vector<TCatalogueEntry> entries = ReadCatalogue(copy);
    ASSERT_GE(entries.size(), 40u) << "lupdate found too few texts in the code";
    for (const TCatalogueEntry& entry : entries) {
        EXPECT_TRUE(entry.type.isEmpty() && !entry.translation.isEmpty())
            << Describe(entry) << " has no finished English translation in " << TALLYRUN_CATALOGUE
            << "; `cmake --build build --target update_translations` "
            << "adds the texts new in the code, for you to translate";
        if (entry.translation.isEmpty())
            continue;
        EXPECT_FALSE(HasJapanese(entry.translation)) << Describe(entry) << " is still Japanese";
        EXPECT_EQ(Placeholders(entry.translation), Placeholders(entry.source))
            << Describe(entry) << ": the English must keep the placeholders";
    }
}

class InstalledTranslationsTest : public ::testing::Test
{
protected:
    const std::vector<TCatalogueEntry> catalogue =
        ReadCatalogue(QStringLiteral(TALLYRUN_CATALOGUE));
};

// What each UI language list installs: the program's language, the texts it then gives for
// every entry of the catalogue, and Qt's own file dialog caption.
TEST_F(InstalledTranslationsTest, EachLanguageGetsItsTextsAndQtsOwn)
{
    ASSERT_FALSE(catalogue.empty());
    const struct
    {
        QStringList uiLanguages;
        TProgramLanguage language;
        const char* saveAs; // QFileDialog's "Save As" as Qt's catalogue gives it
    } cases[] = {
        {{"ja-JP", "ja-Jpan-JP", "ja"}, TProgramLanguage::plJapanese, "名前を付けて保存"},
        {{"C"}, TProgramLanguage::plJapanese, "名前を付けて保存"},
        {{}, TProgramLanguage::plJapanese, "名前を付けて保存"},
        {{"en-US", "en-Latn-US", "en"}, TProgramLanguage::plEnglish, "Save As"},
        {{"de-DE", "de"}, TProgramLanguage::plEnglish, "Speichern unter"},
        {{"C", "fr"}, TProgramLanguage::plEnglish, "Enregistrer sous"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uiLanguages.join(u',').toStdString());
        const TInstalledTranslations installed = InstallTranslations(c.uiLanguages);
        EXPECT_EQ(installed.language, c.language);
        for (const TCatalogueEntry& entry : catalogue) {
            const QString expected =
                c.language == TProgramLanguage::plEnglish ? entry.translation : entry.source;
            EXPECT_EQ(QCoreApplication::translate(entry.context.toUtf8(), entry.source.toUtf8()),
                      expected)
                << Describe(entry);
        }
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As"),
                  QString::fromUtf8(c.saveAs));
    }
    // Gone with the translators: the texts are as written again.
    EXPECT_EQ(QCoreApplication::translate("TfrmMain", "保存"), QStringLiteral("保存"));
}

TEST(ProgramLanguageTest, TheFirstLanguageThatIsNotCOrPosixDecides)
{
    using enum TProgramLanguage;
    const struct
    {
        QStringList uiLanguages;
        TProgramLanguage language;
    } cases[] = {
        {{"ja-JP", "ja"}, plJapanese},
        {{"ja_JP.UTF-8"}, plJapanese},
        {{"C"}, plJapanese},
        {{"POSIX"}, plJapanese},
        {{"C.UTF-8"}, plJapanese},
        {{}, plJapanese},
        {{"C", "ja"}, plJapanese},
        {{"ja", "en"}, plJapanese},
        {{"en-US", "en"}, plEnglish},
        {{"en", "ja"}, plEnglish},
        {{"POSIX", "de-DE"}, plEnglish},
        {{"pt-BR"}, plEnglish},
        {{"jv"}, plEnglish}, // Javanese: a code that starts like Japanese's
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramLanguage(c.uiLanguages), c.language)
            << c.uiLanguages.join(u',').toStdString();
    EXPECT_EQ(QtCatalogueLanguages({"C"}), QStringList{"ja"});
    EXPECT_EQ(QtCatalogueLanguages({"C", "de-DE", "de"}), (QStringList{"de-DE", "de"}));
}

// The locale variables as Qt reads them at start-up, in a process of their own each.
TEST(ProgramLanguageTest, TheEnvironmentChoosesTheLanguageAtStartUp)
{
    const struct
    {
        QStringList variables;
        const char* output; // language, save caption, Qt's save dialog caption
    } cases[] = {
        {{"LANG=ja_JP.UTF-8"}, "ja\n保存\n名前を付けて保存\n"},
        {{"LANG=C"}, "ja\n保存\n名前を付けて保存\n"},
        {{"LANG=C.UTF-8"}, "ja\n保存\n名前を付けて保存\n"},
        {{}, "ja\n保存\n名前を付けて保存\n"},
        {{"LANG=en_US.UTF-8"}, "en\nSave\nSave As\n"},
        {{"LANG=de_DE.UTF-8"}, "en\nSave\nSpeichern unter\n"},
        {{"LANGUAGE=en", "LANG=ja_JP.UTF-8"}, "en\nSave\nSave As\n"},
        {{"LANGUAGE=ja:en", "LANG=en_US.UTF-8"}, "ja\n保存\n名前を付けて保存\n"},
        {{"LC_ALL=ja_JP.UTF-8", "LANG=en_US.UTF-8"}, "ja\n保存\n名前を付けて保存\n"},
        {{"LC_MESSAGES=en_GB.UTF-8", "LANG=ja_JP.UTF-8"}, "en\nSave\nSave As\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variables.join(u' ').toStdString());
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : environment.keys())
            if (name == u"LANG" || name == u"LANGUAGE" || name.startsWith(u"LC_"))
                environment.remove(name);
        for (const QString& variable : c.variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(TALLYRUN_TRANSLATION_PROBE), {});
        ASSERT_TRUE(probe.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(probe.readAllStandardOutput()), QString::fromUtf8(c.output))
            << probe.readAllStandardError().toStdString();
    }
}

} // namespace
} // namespace tallyrun::test
