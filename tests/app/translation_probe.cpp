// Prints what the start-up's translators make of the environment this program runs in, one
// item a line: the program's language ("ja" or "en"), the tool bar's save caption, and the
// caption Qt's own file dialog gives a save dialog. translations_test runs it under chosen
// locale variables, since a process reads its UI languages once.
#include "app/translations.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const tallyrun::TInstalledTranslations installed = tallyrun::InstallTranslations();
    std::cout << (installed.language == tallyrun::TProgramLanguage::plEnglish ? "en" : "ja") << '\n'
              << QCoreApplication::translate("TfrmMain", "保存").toStdString() << '\n'
              << QCoreApplication::translate("QFileDialog", "Save As").toStdString() << '\n';
    return 0;
}
