#include "tests/support/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

namespace tallyrun::test {

bool ProgramInstalled(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = folder + "/" + program;
        struct stat info
        {
        };
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

TXvfbServer::TXvfbServer()
{
    if (!ProgramInstalled("Xvfb")) {
        failure_ = "Xvfb is not installed";
        return;
    }
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) {
        failure_ = "pipe failed";
        return;
    }
    // Xvfb writes the display number it chose to the -displayfd descriptor once it accepts
    // connections.
    constexpr int kReadyFd = 3;
    pid_ = ::fork();
    if (pid_ == 0) {
        // A test that dies without running its destructors takes its server with it.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::dup2(ready[1], kReadyFd); // dup2 clears close-on-exec on the copy
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                 "800x600x24", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    if (pid_ < 0) {
        ::close(ready[0]);
        failure_ = "fork failed";
        return;
    }
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (number.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{ready[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buffer[16];
        const ssize_t got = ::read(ready[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(ready[0]);
    if (number.find('\n') == std::string::npos) {
        failure_ = "Xvfb did not start";
        Stop();
        return;
    }
    display_ = ':';
    display_.append(number, 0, number.find('\n'));
}

TXvfbServer::~TXvfbServer()
{
    Stop();
}

void TXvfbServer::Stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

} // namespace tallyrun::test
