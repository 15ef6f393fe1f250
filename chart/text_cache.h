// Measured and laid-out texts of the chart canvas, kept from paint to paint. Shaping a text
// costs far more than drawing it, and a chart draws the same labels at every paint (and
// measures each mark text twice before drawing it), so each text is shaped once per font.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>

#include <string>
#include <unordered_map>

class QPaintDevice;

namespace tallyrun {

struct TCachedText
{
    int width = 0;
    QStaticText layout;
};

class TTextCache
{
public:
    // The metrics of `font` on `device` (null: the screen's).
    const QFontMetrics& Metrics(const QFont& font, const QPaintDevice* device);
    // `text` (UTF-8) measured and laid out in `font` on `device`.
    const TCachedText& Text(const QFont& font, const QPaintDevice* device, const std::string& text);

private:
    struct TFontTexts
    {
        QFontMetrics metrics;
        std::unordered_map<std::string, TCachedText> texts;
    };
    TFontTexts& Select(const QFont& font, const QPaintDevice* device);

    // At most this many texts per font and fonts in all; beyond, the oldest set is dropped
    // whole (a paint needs a few hundred texts in one or two fonts).
    static constexpr std::size_t kMaxTexts = 4096;
    static constexpr std::size_t kMaxFonts = 8;
    std::unordered_map<std::string, TFontTexts> fonts_;
    // The set of the last font asked for, found again without building the font's key.
    TFontTexts* current_ = nullptr;
    QFont currentFont_;
    int currentDpi_ = -1;
};

} // namespace tallyrun
