// Opens a link target (a web address or a "mailto:" address) with the desktop's default
// handler. The link label calls it through a replaceable function so that tests can see the
// target without a browser opening.
#pragma once

#include <QString>

#include <functional>

namespace tallyrun {

using TLinkOpener = std::function<void(const QString& target)>;

// Hands `target` to the desktop's default handler (QDesktopServices, which starts the handler
// with an argument list, never through a shell). A target that is not an absolute URL (no
// scheme) is refused, so a bare word is never taken for a file to run. The outcome is not
// reported, as a click on a link has no one to report it to.
void OpenWithDesktopHandler(const QString& target);

} // namespace tallyrun
