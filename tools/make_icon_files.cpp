// Writes the program's icon as PNG files for the hicolor icon theme:
// make_icon_files OUTPUT_DIR SIZE... writes OUTPUT_DIR/SIZExSIZE/tallyrun.png for each size.
#include "app/app_icon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Only off-screen images are drawn; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icon_files OUTPUT_DIR SIZE...\n");
        return 2;
    }
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1/%2x%2").arg(outputDir).arg(size);
        if (size <= 0 || !QDir().mkpath(folder) ||
            !tallyrun::DrawAppIcon(size).save(folder + QStringLiteral("/tallyrun.png"), "PNG")) {
            std::fprintf(stderr, "make_icon_files: cannot write the %s pixel icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
