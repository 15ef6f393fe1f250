#include "platform/atomic_file.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace tallyrun::platform {

namespace {

// The folder part of `path` ("." when there is none), for the temporary file.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A new file in `folder` created with O_EXCL (the umask applies to its mode), or -1.
int CreateTemporary(const std::string& folder, std::string& name)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = folder + "/.tallyrun-save-" + std::to_string(random() % 1000000000000ULL);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The name goes in as it is, so a name that is not valid UTF-8 keeps its bytes.
std::string FileCreateMessage(const std::string& fileName)
{
    std::string text =
        QCoreApplication::translate("EFCreateError", "ファイル %1 を作成できません").toStdString();
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, fileName);
    return text;
}

} // namespace

EFCreateError::EFCreateError(const std::string& fileName)
    : std::runtime_error(FileCreateMessage(fileName))
{
}

void SaveFileAtomically(const std::string& path, std::string_view bytes)
{
    if (path.empty() || path.back() == '/')
        throw EFCreateError(path);
    struct stat target
    {
    };
    const bool exists = ::lstat(path.c_str(), &target) == 0;
    if (!exists && errno != ENOENT)
        throw EFCreateError(path);
    // Only a regular file that its owner may write, and that we may write, is replaced.
    if (exists && (!S_ISREG(target.st_mode) || !(target.st_mode & S_IWUSR) ||
                   ::access(path.c_str(), W_OK) != 0))
        throw EFCreateError(path);

    std::string temporary;
    const int fd = CreateTemporary(FolderOf(path), temporary);
    if (fd < 0)
        throw EFCreateError(path);
    bool ok = WriteAll(fd, bytes);
    if (ok && exists) {
        // Keep the replaced file's owner and mode; the owner only where we may set it.
        (void)!::fchown(fd, target.st_uid, target.st_gid);
        ok = ::fchmod(fd, target.st_mode & 07777) == 0;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        throw EFCreateError(path);
    }
}

} // namespace tallyrun::platform
