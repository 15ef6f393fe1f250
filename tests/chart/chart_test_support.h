// Helpers shared by the chart panel's tests: a pinned palette, a series that records the
// drawing hooks and fills its plot area, and reading back BMP files; the program's chart
// set-up comes from the support library the benchmarks share.
#pragma once

#include "chart/chart.h"
#include "chart/chart_series.h"
#include "support/program_chart.h"
#include "tests/support/pinned_palette.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPalette>

#include <string>
#include <vector>

namespace tallyrun::test {

// Button face, shadow and highlight of the pinned palette.
constexpr QRgb kFace = 0xFFC0C0C0;
constexpr QRgb kShadow = 0xFF102030;
constexpr QRgb kHighlight = 0xFFF0E0D0;

// The chart tests' palette: button face, shadow and highlight pinned while it lives.
struct TChartPalette : TPinnedPalette
{
    TChartPalette()
        : TPinnedPalette({{QPalette::Button, QColor::fromRgb(kFace)},
                          {QPalette::Dark, QColor::fromRgb(kShadow)},
                          {QPalette::Light, QColor::fromRgb(kHighlight)}})
    {
    }
};

// Fills the plot rectangle in its colour and a 4 x 4 box at the projected plot centre in
// blue, and records each hook as it runs.
class RecordingSeries : public TChartSeries
{
public:
    explicit RecordingSeries(TChart& chart, std::vector<std::string>* log = nullptr)
        : chart_(chart), log_(log)
    {
        AddPoint("one", clAutomatic, 1);
        SetParentChart(&chart);
    }

    bool MarksVisible() const override { return marks; }
    void PrepareForPaint() override { Log("prepare"); }
    void BeginDrawValues() override
    {
        Log("begin");
        TChartSeries::BeginDrawValues();
    }
    void DrawPoints() override
    {
        Log("points");
        projectedWhileDrawing = chart_.Canvas().Projection().projectionOn;
        TChartCanvas3D& canvas = chart_.Canvas();
        canvas.Pen().style = Qt::NoPen;
        canvas.Brush() = {colour, Qt::SolidPattern};
        canvas.FillArea(chart_.PlotRect());
        const TScreenPoint p = canvas.ProjectPoint(chart_.PlotCentreX(), chart_.PlotCentreY(), 0);
        canvas.Brush().color = 0xFF0000;
        canvas.FillArea({p.x - 2, p.y - 2, p.x + 2, p.y + 2});
    }
    void DrawPointMarks() override { Log("marks"); }
    void EndDrawValues() override
    {
        Log("end");
        TChartSeries::EndDrawValues();
    }

    bool marks = true;
    TColor colour = 0x0000FF;
    bool projectedWhileDrawing = false;

private:
    void Log(const char* what)
    {
        if (log_)
            log_->push_back(what);
    }
    TChart& chart_;
    std::vector<std::string>* log_;
};

using support::SetUpProgramChart;

// The bytes of a regular file; empty for anything else (a fifo is never opened).
inline std::string ReadFileBytes(const QString& path)
{
    if (!QFileInfo(path).isFile() || QFileInfo(path).isSymLink())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

inline std::uint32_t Read32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    return value;
}

inline std::uint16_t Read16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes.at(at)) |
                                      static_cast<unsigned char>(bytes.at(at + 1)) << 8);
}

// Pixel (x, y) of a 24-bit bottom-up BMP file, as an opaque QRgb.
inline QRgb BmpPixel(const std::string& bmp, int x, int y)
{
    const int width = static_cast<int>(Read32(bmp, 18));
    const int height = static_cast<int>(Read32(bmp, 22));
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = Read32(bmp, 10) + rowBytes * static_cast<std::size_t>(height - 1 - y) +
                           static_cast<std::size_t>(x) * 3;
    return qRgb(static_cast<unsigned char>(bmp.at(at + 2)),
                static_cast<unsigned char>(bmp.at(at + 1)), static_cast<unsigned char>(bmp.at(at)));
}

} // namespace tallyrun::test
