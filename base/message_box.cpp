#include "base/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace tallyrun {

namespace {

void ShowErrorBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

void ShowMessageBox(const QString& text, const QString& caption)
{
    QMessageBox::information(QApplication::activeWindow(), caption, text, QMessageBox::Ok);
}

// A display that tests may replace, and that an empty replacement sets back to the standard
// box. Message boxes are shown from the UI thread only.
template <class Display> class TReplaceableDisplay
{
public:
    explicit TReplaceableDisplay(Display standard) : standard_(standard), current_(standard) {}

    Display Replace(Display display)
    {
        Display previous = std::move(current_);
        current_ = display ? std::move(display) : standard_;
        return previous;
    }

    const Display& Current() const { return current_; }

private:
    Display standard_;
    Display current_;
};

TReplaceableDisplay<TErrorDisplay>& ErrorDisplay()
{
    static TReplaceableDisplay<TErrorDisplay> display(ShowErrorBox);
    return display;
}

TReplaceableDisplay<TInformationDisplay>& InformationDisplay()
{
    static TReplaceableDisplay<TInformationDisplay> display(ShowMessageBox);
    return display;
}

} // namespace

TErrorDisplay SetHandlerErrorDisplay(TErrorDisplay display)
{
    return ErrorDisplay().Replace(std::move(display));
}

void ShowHandlerError(const QString& message)
{
    try {
        ErrorDisplay().Current()(message);
    } catch (...) {
        // A display that fails itself has nowhere left to report to.
    }
}

TInformationDisplay SetInformationDisplay(TInformationDisplay display)
{
    return InformationDisplay().Replace(std::move(display));
}

void ShowInformationBox(const QString& text, const QString& caption)
{
    InformationDisplay().Current()(text, caption);
}

} // namespace tallyrun
