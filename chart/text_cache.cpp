#include "chart/text_cache.h"

#include <QPaintDevice>

namespace tallyrun {

TTextCache::TFontTexts& TTextCache::Select(const QFont& font, const QPaintDevice* device)
{
    const int dpi = device ? device->logicalDpiX() * 10000 + device->logicalDpiY() : 0;
    if (current_ && dpi == currentDpi_ && font == currentFont_ &&
        font.resolveMask() == currentFont_.resolveMask())
        return *current_;
    const std::string key = font.key().toStdString() + "@" + std::to_string(dpi);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        if (fonts_.size() >= kMaxFonts)
            fonts_.clear();
        const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
        it = fonts_.emplace(key, TFontTexts{metrics, {}}).first;
    }
    current_ = &it->second;
    currentFont_ = font;
    currentDpi_ = dpi;
    return *current_;
}

const QFontMetrics& TTextCache::Metrics(const QFont& font, const QPaintDevice* device)
{
    return Select(font, device).metrics;
}

const TCachedText& TTextCache::Text(const QFont& font, const QPaintDevice* device,
                                    const std::string& text)
{
    TFontTexts& set = Select(font, device);
    auto it = set.texts.find(text);
    if (it != set.texts.end())
        return it->second;
    if (set.texts.size() >= kMaxTexts)
        set.texts.clear();
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    TCachedText entry;
    entry.width = set.metrics.horizontalAdvance(qtext);
    entry.layout.setText(qtext);
    entry.layout.setTextFormat(Qt::PlainText);
    entry.layout.prepare(QTransform(), font);
    return set.texts.emplace(text, std::move(entry)).first->second;
}

} // namespace tallyrun
