// Saves the whole screen of the X display in DISPLAY as a PNG file: grab-screen FILE.
// scripts/screenshot.sh takes the README's screenshot with it from the real program under Xvfb.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: grab-screen FILE.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "grab-screen: cannot grab the screen into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
