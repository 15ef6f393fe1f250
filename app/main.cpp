// Tallyrun's entry point. The program takes no command-line arguments and keeps no settings.
#include "app/event_pump.h"
#include "app/folder_tree_stand_in.h"
#include "app/main_window.h"
#include "platform/fonts.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrun"));
    tallyrun::InstallFontSubstitutions();
    tallyrun::InstallEventPump();
    auto* tree = new tallyrun::TFolderTreeStandIn;
    tallyrun::TfrmMain window(*tree, tree);
    window.show();
    tree->SelectInitialFolder();
    return QApplication::exec();
}
