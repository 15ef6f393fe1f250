// A private X server for tests that need a real one: Xvfb started on a display number it picks
// itself (so parallel tests never collide), waited for with a bound, stopped by its pid, as
// every server a test starts for itself.
#pragma once

#include <memory>
#include <string>

namespace tallyrun::test {

class THelperServer;

// True when `program` is an executable file in one of the PATH folders.
bool ProgramInstalled(const std::string& program);

class TXvfbServer
{
public:
    // Starts the server and waits up to 10 s until it accepts connections.
    TXvfbServer();
    ~TXvfbServer();
    TXvfbServer(const TXvfbServer&) = delete;
    TXvfbServer& operator=(const TXvfbServer&) = delete;

    bool Running() const;
    // ":N", valid while running.
    const std::string& Display() const { return display_; }
    // Why the server is not running.
    const std::string& Failure() const { return failure_; }

private:
    std::unique_ptr<THelperServer> server_;
    std::string display_;
    std::string failure_;
};

} // namespace tallyrun::test
