#include "base/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tallyrun {

namespace {

void ShowMessageBox(const QString& text, const QString& caption)
{
    QMessageBox::information(QApplication::activeWindow(), caption, text, QMessageBox::Ok);
}

// The display in use; message boxes are shown from the UI thread only.
TInformationDisplay& CurrentDisplay()
{
    static TInformationDisplay display = ShowMessageBox;
    return display;
}

} // namespace

TInformationDisplay SetInformationDisplay(TInformationDisplay display)
{
    TInformationDisplay previous = std::move(CurrentDisplay());
    CurrentDisplay() = display ? std::move(display) : TInformationDisplay(ShowMessageBox);
    return previous;
}

void ShowInformationBox(const QString& text, const QString& caption)
{
    CurrentDisplay()(text, caption);
}

} // namespace tallyrun
