// Tallyrun's entry point. The program takes no command-line arguments and keeps no settings.
#include "app/event_pump.h"
#include "app/main_window.h"
#include "platform/fonts.h"
#include "shelltree/tree_view.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyrun"));
    tallyrun::InstallFontSubstitutions();
    tallyrun::InstallEventPump();
    auto* tree = new tallyrun::TQorShTreeView;
    tallyrun::TfrmMain window(*tree, tree);
    // A click in the tree hands the keyboard to the chart.
    tree->OnClick = [&window](QObject*) { window.Chart1->setFocus(); };
    window.show();
    // Building the tree selects the Desktop, which runs the first analysis.
    tree->Loaded();
    return QApplication::exec();
}
