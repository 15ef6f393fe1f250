#include "app/startup.h"

#include "app/app_icon.h"
#include "app/create_main_window.h"
#include "app/dialog_window.h"
#include "app/event_pump.h"
#include "app/soak_probe.h"
#include "app/splash_window.h"
#include "app/translations.h"
#include "base/fonts.h"
#include "base/handler_errors.h"
#include "scan/pump_events.h"
#include "shelltree/sh_thread.h"

#include <QApplication>

#include <csignal>

namespace tallyrun {

TProgramWindows CreateProgramWindows(const TMainWindowFactory& createMainWindow,
                                     const TVersionReader& readVersion)
{
    auto splash = std::make_unique<TForm1>(readVersion);
    splash->show();
    splash->repaint();
    PumpEvents();

    TProgramWindows windows;
    windows.frmMain = createMainWindow();
    windows.frmVersion = std::make_unique<TfrmVersion>(windows.frmMain.get(), readVersion);
    MakeTransientFor(*windows.frmVersion, *windows.frmMain);
    windows.frmMain->SetAboutDialog(windows.frmVersion.get());
    windows.frmBreakDialog = std::make_unique<TfrmBreakDialog>();
    PumpEvents();

    splash->hide();
    splash.reset();
    return windows;
}

int RunProgram(int argc, char** argv)
{
    // A write past the file-size limit then fails with EFBIG, which the file operations report
    // and clean up after, instead of the signal ending the program with files half written.
    signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // Before any window is made, so that every text is read in the user's language.
    const TInstalledTranslations translations = InstallTranslations();
    InstallFontSubstitutions();
    InstallEventPump();
    QApplication::setApplicationName(QStringLiteral("Tallyrun"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.tallyrun.Tallyrun"));
    QApplication::setWindowIcon(AppIcon());
    // Failures of the folder tree's watcher and change delay are shown like any handler error.
    SetShThreadErrorHandler(
        [](const std::string& message) { ShowHandlerError(QString::fromStdString(message)); });

    const TProgramWindows windows = CreateProgramWindows(CreateMainWindow);
    // Only when the environment asks for it (bench/soak/); null otherwise.
    const std::unique_ptr<TSoakProbe> probe = StartSoakProbeIfAsked(*windows.frmMain);
    windows.frmMain->show();
    return QApplication::exec();
}

} // namespace tallyrun
