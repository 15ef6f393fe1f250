// A private X server for tests that need a real one: Xvfb started on a display number it picks
// itself (so parallel tests never collide), waited for with a bound, stopped by its pid.
#pragma once

#include <string>
#include <sys/types.h>

namespace tallyrun::test {

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

    bool Running() const { return pid_ > 0; }
    // ":N", valid while running.
    const std::string& Display() const { return display_; }
    // Why the server is not running.
    const std::string& Failure() const { return failure_; }

private:
    void Stop();

    pid_t pid_ = -1;
    std::string display_;
    std::string failure_;
};

} // namespace tallyrun::test
