// Tallyrun's entry point. The program takes no command-line arguments and keeps no settings.
#include "app/event_pump.h"
#include "app/folder_tree_stand_in.h"
#include "app/main_window.h"
#include "platform/fonts.h"
#include "shelltree/sh_thread.h"
#include "widgets/handler_errors.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrun"));
    tallyrun::InstallFontSubstitutions();
    tallyrun::InstallEventPump();
    // Failures of the folder tree's watcher and change delay are shown like any handler error.
    tallyrun::SetShThreadErrorHandler([](const std::string& message) {
        tallyrun::ShowHandlerError(QString::fromStdString(message));
    });
    auto* tree = new tallyrun::TFolderTreeStandIn;
    tallyrun::TfrmMain window(*tree, tree);
    window.show();
    tree->SelectInitialFolder();
    return QApplication::exec();
}
