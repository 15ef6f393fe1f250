// Checks the language tests share: whether a text is still Japanese, and whether the labels of
// a window hold their texts.
#pragma once

#include "app/translations.h"

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tallyrun::test {

// Kana, CJK ideographs and full-width forms: what no English text holds.
inline bool HasJapanese(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
            (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Every visible label of `window` lies inside it and is at least as large as its text.
inline void ExpectLabelsFit(const QWidget& window)
{
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty())
            continue;
        SCOPED_TRACE(label->text().toStdString());
        const QRect inWindow(label->mapTo(&window, QPoint(0, 0)), label->size());
        EXPECT_TRUE(window.rect().contains(inWindow)) << "the label leaves its window";
        const QSize text = label->fontMetrics().size(0, label->text());
        EXPECT_GE(label->width(), text.width());
        EXPECT_GE(label->height(), text.height());
    }
}

struct TLanguageCase
{
    const char* name;
    QStringList uiLanguages;
};

// Test names and failure messages show the language, not the bytes of the case.
inline void PrintTo(const TLanguageCase& language, std::ostream* out)
{
    *out << language.name;
}

inline const TLanguageCase kBothLanguages[] = {{"Japanese", {"ja-JP", "ja"}},
                                               {"English", {"en-US", "en"}}};

inline std::string LanguageCaseName(const ::testing::TestParamInfo<TLanguageCase>& info)
{
    return info.param.name;
}

// A test run once per language, with that language's translators installed.
class InLanguageTest : public ::testing::TestWithParam<TLanguageCase>
{
protected:
    bool English() const { return translations.language == TProgramLanguage::plEnglish; }
    // Under English, `text` holds nothing Japanese.
    void ExpectNotJapaneseInEnglish(const QString& text) const
    {
        if (English()) {
            EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
        }
    }

    TInstalledTranslations translations = InstallTranslations(GetParam().uiLanguages);
};

} // namespace tallyrun::test
