// A server process a test starts for itself (a session bus, a Wayland compositor): started
// with its own environment additions, waited for with a bound, stopped by its pid. A test
// that dies takes its servers with it.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace tallyrun::test {

class THelperServer
{
public:
    // Runs `argv` with `environment` ("NAME=value") added, its output to /dev/null and, when
    // `readyLine` is set, a pipe on descriptor 3 from which the first line is read: the
    // server's answer that it is ready. Without it, `ready` is polled until true. Either way
    // it waits up to 10 s.
    THelperServer(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                  bool readyLine, const std::function<bool()>& ready = {});
    ~THelperServer();
    THelperServer(const THelperServer&) = delete;
    THelperServer& operator=(const THelperServer&) = delete;

    bool Running() const { return pid_ > 0; }
    // The line the server wrote on descriptor 3, without its newline.
    const std::string& Line() const { return line_; }
    const std::string& Failure() const { return failure_; }

private:
    void Stop();

    pid_t pid_ = -1;
    std::string line_;
    std::string failure_;
};

} // namespace tallyrun::test
