// The hourglass while a tree operation works.
#pragma once

namespace tallyrun {

// Shows the hourglass while it lives, also when an error leaves the scope, and puts back the
// cursor that was there before. Where the hourglass is shown already (the analysis run's, or
// an outer operation's), it changes nothing: each change of the cursor is a request to the
// window system, which a walk that merges thousands of folders made twice per folder.
class TWaitCursor
{
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool shown_ = false;
};

} // namespace tallyrun
