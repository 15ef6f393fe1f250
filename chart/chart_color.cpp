#include "chart/chart_color.h"

namespace tallyrun {

TColor QColorToColor(const QColor& color)
{
    return ColorFromRgb(color.red(), color.green(), color.blue());
}

TColor ColorToRGB(TColor color)
{
    if (color & clSystemColor)
        return QColorToColor(ColorToQColor(color));
    return color & 0xFFFFFF;
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
