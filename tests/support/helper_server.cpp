#include "tests/support/helper_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace tallyrun::test {

namespace {

constexpr int kReadyFd = 3;
constexpr auto kStartLimit = std::chrono::seconds(10);

// Reads up to the first newline from `fd` until `deadline`.
std::string ReadLine(int fd, std::chrono::steady_clock::time_point deadline)
{
    std::string text;
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0)
            return {};
        char buffer[256];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text.substr(0, text.find('\n'));
}

} // namespace

THelperServer::THelperServer(const std::vector<std::string>& argv,
                             const std::vector<std::string>& environment, bool readyLine,
                             const std::function<bool()>& ready)
{
    int pipeFds[2] = {-1, -1};
    if (readyLine && ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        failure_ = "pipe failed";
        return;
    }
    // Everything the child needs is made before the fork: only async-signal-safe calls after.
    std::vector<std::string> variables;
    for (char** at = environ; *at; ++at) {
        const std::string variable = *at;
        const std::string name = variable.substr(0, variable.find('='));
        bool replaced = false;
        for (const std::string& added : environment)
            replaced = replaced || added.substr(0, added.find('=')) == name;
        if (!replaced)
            variables.push_back(variable);
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<std::string> arguments = argv;
    std::vector<char*> args;
    for (std::string& arg : arguments)
        args.push_back(arg.data());
    args.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (readyLine)
            ::dup2(pipeFds[1], kReadyFd); // dup2 clears close-on-exec on the copy
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execvpe(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    if (readyLine)
        ::close(pipeFds[1]);
    if (pid_ < 0) {
        if (readyLine)
            ::close(pipeFds[0]);
        failure_ = "fork failed";
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    bool started = false;
    if (readyLine) {
        line_ = ReadLine(pipeFds[0], deadline);
        ::close(pipeFds[0]);
        started = !line_.empty();
    } else {
        while (!(started = ready()) && std::chrono::steady_clock::now() < deadline &&
               ::waitpid(pid_, nullptr, WNOHANG) == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!started) {
        failure_ = argv[0] + " did not start";
        Stop();
    }
}

THelperServer::~THelperServer()
{
    Stop();
}

void THelperServer::Stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

} // namespace tallyrun::test
