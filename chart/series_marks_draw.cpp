// Sizing and drawing one mark: the arrow, the box and the lines of text.
#include "chart/series_marks.h"

#include "chart/canvas3d.h"

#include <algorithm>

namespace tallyrun {

void TSeriesMarks::MeasureBox(TCanvas3D& canvas, const std::string& text, int& width,
                              int& height) const
{
    const std::vector<std::string> lines = MarkBoxLines(text);
    int widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, canvas.MeasureWidth(line));
    width = widest + canvas.MeasureWidth("W");
    height = static_cast<int>(lines.size()) * canvas.LineHeight();
    canvas.ApplyChartPen(frame_);
    if (frame_.Visible) {
        width += 2 * frame_.Width;
        height += 2 * frame_.Width;
    }
}

void TSeriesMarks::DrawMark(TCanvas3D& canvas, const TMarkDrawContext& context,
                            const TSeriesMarkPosition& position, TColor pointColor,
                            const std::string& text) const
{
    if (arrow_.Visible) {
        canvas.ApplyChartPen(arrow_);
        canvas.Brush().style = Qt::NoBrush;
        // An arrow of the slice's own colour, or of the chart's, would not show.
        const TColor arrowColour = ColorToRGB(arrow_.Color);
        if (arrowColour == ColorToRGB(pointColor) || arrowColour == context.chartColor)
            canvas.Pen().color = context.chartColor == clBlack ? clWhite : clBlack;
        if (context.is3D)
            canvas.ProjectedLine(position.ArrowFrom.x, position.ArrowFrom.y, position.ArrowTo.x,
                                 position.ArrowTo.y, context.depth);
        else
            canvas.StraightLine(position.ArrowFrom.x, position.ArrowFrom.y, position.ArrowTo.x,
                                position.ArrowTo.y);
    }

    TScreenPoint leftTop = position.LeftTop;
    if (context.is3D) {
        // The box keeps its place relative to the arrow's tip, which the projection moves.
        const TScreenPoint tip =
            canvas.ProjectPoint(position.ArrowTo.x, position.ArrowTo.y, context.depth);
        leftTop = {tip.x - (position.ArrowTo.x - leftTop.x),
                   tip.y - (position.ArrowTo.y - leftTop.y)};
    }

    int textTop = leftTop.y;
    if (frame_.Visible || !transparent_) {
        canvas.Brush() = {backColor_, transparent_ ? Qt::NoBrush : Qt::SolidPattern};
        canvas.ApplyChartPen(frame_);
        canvas.BoxRect(leftTop.x, leftTop.y, leftTop.x + position.Width,
                       leftTop.y + position.Height);
        if (frame_.Visible)
            textTop += frame_.Width;
    }

    // Written on a clear background: a hatched slice's brush leaves the background opaque.
    canvas.Brush().style = Qt::NoBrush;
    canvas.SetBackgroundMode(bkTransparent);
    canvas.SetTextAlignment(taCenter | taTop);
    const int x = leftTop.x + position.Width / 2;
    const int lineHeight = canvas.LineHeight();
    for (const std::string& line : MarkWrittenLines(text)) {
        canvas.PutText(x, textTop, line);
        textTop += lineHeight;
    }
    canvas.SetTextAlignment(taLeft | taTop);
}

} // namespace tallyrun
