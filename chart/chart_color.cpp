#include "chart/chart_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace tallyrun {

namespace {

QColor SystemColor(TColor color)
{
    const QPalette palette = QGuiApplication::palette();
    switch (color & 0xFF) {
    case clBtnShadow & 0xFF:
        return palette.color(QPalette::Active, QPalette::Dark);
    case clBtnHighlight & 0xFF:
        return palette.color(QPalette::Active, QPalette::Light);
    case cl3DDkShadow & 0xFF:
        return palette.color(QPalette::Active, QPalette::Shadow);
    case cl3DLight & 0xFF:
        return palette.color(QPalette::Active, QPalette::Midlight);
    case clInfoBk & 0xFF:
        return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Active, QPalette::Button);
    }
}

} // namespace

TColor QColorToChartColor(const QColor& color)
{
    return static_cast<TColor>(color.red()) | static_cast<TColor>(color.green()) << 8 |
           static_cast<TColor>(color.blue()) << 16;
}

TColor ColorToRGB(TColor color)
{
    if (color & clSystemColorFlag)
        return QColorToChartColor(SystemColor(color));
    return color & 0xFFFFFF;
}

QColor ChartColorToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor DarkenColor(TColor color, int amount)
{
    const TColor rgb = ColorToRGB(color);
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int component = static_cast<int>((rgb >> shift) & 0xFF);
        const int darker = amount < component ? component - amount : 0;
        result |= static_cast<TColor>(darker) << shift;
    }
    return result;
}

} // namespace tallyrun
