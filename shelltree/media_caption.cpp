#include "shelltree/media_caption.h"

#include <QString>
#include <QUtf8StringView>

namespace tallyrun {
namespace {

std::string LowerCase(const std::string& text)
{
    if (QUtf8StringView(text).isValidUtf8())
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
            .toLower()
            .toStdString();
    std::string lowered = text;
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

} // namespace

std::string MediaArrivalCaption(const std::string& label, const std::string& driveText)
{
    std::string caption = LowerCase(label);
    if (!caption.empty() && caption.front() >= 'a' && caption.front() <= 'z')
        caption.front() = static_cast<char>(caption.front() - 'a' + 'A');
    return caption + MediaRemovalCaption(driveText);
}

std::string MediaRemovalCaption(const std::string& driveText)
{
    return " (" + driveText + ")";
}

} // namespace tallyrun
