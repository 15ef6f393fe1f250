#include "tests/support/child_process.h"

#include "tests/support/user_namespace.h"

#include <grp.h>

#include <cstdio>

namespace tallyrun::test {

namespace {

bool BecomeNobody()
{
    return ::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
           ::geteuid() == 65534;
}

} // namespace

int RunInChild(TChildSetup setup, const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const bool ready =
            setup == TChildSetup::kUserNamespace ? EnterUserNamespace() : BecomeNobody();
        ::_exit(ready ? body() : 255);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -2;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

} // namespace tallyrun::test
