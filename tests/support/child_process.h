// Runs a check in a forked child, for tests that change process-wide state (resource limits,
// user and mount namespaces, the user id). The child returns a failure text (empty means the
// check passed) or an exit status.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace tallyrun::test {

// Exit code of a child that could not set up what the check needs: the test is skipped.
inline constexpr int kChildSkipped = 77;

struct TChildResult
{
    bool skipped = false;
    std::string failure; // empty: the check passed
};

inline TChildResult RunInChild(const std::function<std::string()>& check)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {false, "pipe failed"};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        const std::string failure = check();
        (void)!::write(pipeFds[1], failure.data(), failure.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string failure;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kChildSkipped)
        return {true,
                failure.empty() ? "the child could not set up the check (reason above)" : failure};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {false, "the child ended abnormally: " + failure};
    return {false, failure};
}

// Runs `body` in a child process and returns its exit status, or -1 when the child could not
// set itself up (the caller skips the test then). With kUserNamespace the child first enters
// a user and mount namespace of its own, where it may mount; with kNobody it drops to the
// unprivileged user 65534 first.
enum class TChildSetup
{
    kUserNamespace,
    kNobody
};
int RunInChild(TChildSetup setup, const std::function<int()>& body);

} // namespace tallyrun::test
