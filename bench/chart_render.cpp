// chart-render --slices FILE --out OUT.bmp [--size WxH] [--legend on|off] [--zoom N]
//              [--style percent|value]
//
// Draws the main window's chart (its chart and series settings, 590 x 364 unless --size says
// otherwise) with the points of FILE, one "label<TAB>value" line each, added in file order, and
// writes it through the program's own bitmap export. --legend sets the legend's visibility
// (default on, as the program starts), --zoom the 3D zoom in percent (default 100), --style
// the marks' text: label and percentage (default) or label and size.
// Exit status: 0 written; 1 FILE unreadable or malformed, or OUT not written; 2 bad arguments.
#include "base/fonts.h"
#include "support/chart_render_setup.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: chart-render --slices FILE --out OUT.bmp [--size WxH] "
                         "[--legend on|off] [--zoom N] [--style percent|value]\n");
    return 2;
}

bool ParseInt(const char* text, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < -100000 || parsed > 100000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    const std::size_t x = text.find('x');
    return x != std::string::npos && ParseInt(text.substr(0, x).c_str(), width) &&
           ParseInt(text.substr(x + 1).c_str(), height) && width > 0 && height > 0 &&
           width <= 16384 && height <= 16384;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace tallyrun;
    std::string slicesPath, outPath;
    TChartRenderSettings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return Usage();
        const std::string value = argv[++i];
        if (option == "--slices")
            slicesPath = value;
        else if (option == "--out")
            outPath = value;
        else if (option == "--size" && ParseSize(value, settings.width, settings.height))
            continue;
        else if (option == "--legend" && (value == "on" || value == "off"))
            settings.legend = value == "on";
        else if (option == "--zoom" && ParseInt(value.c_str(), settings.zoom))
            continue;
        else if (option == "--style" && (value == "percent" || value == "value"))
            settings.style = value == "percent" ? smsLabelPercent : smsLabelValue;
        else
            return Usage();
    }
    if (slicesPath.empty() || outPath.empty())
        return Usage();

    std::vector<TSliceLine> slices;
    std::string error;
    if (!ReadSliceFile(slicesPath, slices, error)) {
        std::fprintf(stderr, "chart-render: %s\n", error.c_str());
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    InstallFontSubstitutions();
    TMainChart chart;
    TMainPieSeries series;
    SetUpRenderedChart(chart, series, settings, slices);
    try {
        chart.ExportBitmapFile(outPath);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "chart-render: cannot write %s: %s\n", outPath.c_str(), e.what());
        return 1;
    }
    return 0;
}
