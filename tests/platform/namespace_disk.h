// Puts a forked test child into a user and mount namespace of its own, with a tiny tmpfs: a
// full disk that needs no privileges and vanishes with the child.
#pragma once

#include "child_process.h"

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace tallyrun::test {

// Becomes root of a new user and mount namespace and mounts a 64 KiB tmpfs at `at`; exits the
// child as skipped when user namespaces are not available here.
inline void EnterNamespaceWithTinyDisk(const std::string& at)
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        std::fprintf(stderr, "user namespaces are not available: %s\n", std::strerror(errno));
        ::_exit(kChildSkipped);
    }
    std::ofstream("/proc/self/setgroups") << "deny";
    std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
    std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k") != 0) {
        std::fprintf(stderr, "cannot mount a tmpfs: %s\n", std::strerror(errno));
        ::_exit(kChildSkipped);
    }
}

} // namespace tallyrun::test
