// Tallyrun's entry point. The program takes no command-line arguments and keeps no settings.
#include <QApplication>
#include <QMainWindow>

#include "platform/fonts.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrun"));
    tallyrun::InstallFontSubstitutions();
    // Until the main window lands, a plain window stands in for it.
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tallyrun"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
