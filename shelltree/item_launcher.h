// Hands a file to the desktop's default handler. Behind an interface so that tests never start
// anything.
#pragma once

#include <string>

namespace tallyrun {

class TItemLauncher
{
public:
    virtual ~TItemLauncher() = default;
    // Opens the absolute raw path with the desktop's handler; false when that could not start.
    virtual bool Open(const std::string& path) = 0;
};

// Runs `xdg-open` with the path's file URL as its one argument, never through a shell. The URL
// is percent-encoded ASCII, so it can start with neither `-` nor carry bytes that are not UTF-8.
class TXdgOpenLauncher : public TItemLauncher
{
public:
    bool Open(const std::string& path) override;
};

} // namespace tallyrun
