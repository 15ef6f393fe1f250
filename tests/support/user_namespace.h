// Becoming root of a user and mount namespace of its own, where a test may mount without
// privileges, and a tiny tmpfs there: a full disk that vanishes with the namespace. Meant for
// a forked child: the calls make only system calls, so they are safe even when the parent
// has other threads.
#pragma once

#include <string>

namespace tallyrun::test {

// Enters a new user and mount namespace, maps the caller's user and group to root in it and
// makes every mount private to it. False (errno set) when user namespaces are not available.
bool EnterUserNamespace();

// Mounts a 64 KiB tmpfs at `at`; false (errno set) when the mount is refused.
bool MountTinyDisk(const char* at);

// Both of the above for a child run by RunInChild (child_process.h): on failure it tells why
// on stderr and exits the child as skipped.
void EnterNamespaceWithTinyDisk(const std::string& at);

} // namespace tallyrun::test
