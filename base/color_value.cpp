#include "base/color_value.h"

#include <QGuiApplication>

namespace tallyrun {

namespace {

// Which palette role stands in for each system colour index. The pairs follow the way Qt's
// own Windows style fills its palette from the system colours.
QColor SystemColor(unsigned index, const QPalette& palette)
{
    switch (index) {
    case 5:
        return palette.color(QPalette::Active, QPalette::Base);
    case 8:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case 13:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 14:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Active, QPalette::Button);
    case 16:
        return palette.color(QPalette::Active, QPalette::Dark);
    case 18:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Active, QPalette::Light);
    case 21:
        return palette.color(QPalette::Active, QPalette::Shadow);
    case 22:
        return palette.color(QPalette::Active, QPalette::Midlight);
    case 23:
        return palette.color(QPalette::Active, QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return QColor(Qt::black);
    }
}

QColor RgbColor(TColor color)
{
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

} // namespace

QColor ColorToQColor(TColor color)
{
    // The palette is only asked for when needed, so plain colours convert without an
    // application object.
    if (color & clSystemColor)
        return SystemColor(color & 0xFF, QGuiApplication::palette());
    return RgbColor(color);
}

QColor ColorToQColor(TColor color, const QPalette& palette)
{
    if (color & clSystemColor)
        return SystemColor(color & 0xFF, palette);
    return RgbColor(color);
}

} // namespace tallyrun
