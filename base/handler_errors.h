// Errors that escape an event handler are shown the way the toolkit shows them, in the
// standard error message box, and the event loop goes on. Every handler boundary runs its
// handler through RunHandler (a paint event through RunPaintHandler), so no exception ever
// leaves a Qt slot or event callback.
#pragma once

#include "base/message_box.h"

#include <QString>

#include <exception>

namespace tallyrun {

// The error display itself (SetHandlerErrorDisplay, ShowHandlerError) is in base/message_box.h.

// Shows `message` through the current error display once the event in hand is over: a paint
// handler must not open a modal box while its painter is active. At once without an
// application.
void ShowHandlerErrorLater(const QString& message);

// The message of the exception being handled; call only inside a catch block.
QString CurrentErrorMessage() noexcept;

// Runs `handler`; an exception it raises is shown and goes no further.
template <class F> void RunHandler(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (...) {
        ShowHandlerError(CurrentErrorMessage());
    }
}

// RunHandler for paint events: the error is shown after the paint.
template <class F> void RunPaintHandler(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (...) {
        ShowHandlerErrorLater(CurrentErrorMessage());
    }
}

} // namespace tallyrun
