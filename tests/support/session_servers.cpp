#include "tests/support/session_servers.h"

#include "tests/support/xvfb_server.h"

#include <QFile>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tallyrun::test {

namespace {

// Whether a server listens on the socket `path`: its file appears before it listens.
bool Accepts(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool accepted =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return accepted;
}

} // namespace

TSessionBus::TSessionBus()
{
    if (!ProgramInstalled("dbus-daemon")) {
        failure_ = "dbus-daemon is not installed";
        return;
    }
    const QString config = dir_.filePath(QStringLiteral("session.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        failure_ = "cannot write the bus configuration";
        return;
    }
    // A session bus without service folders: a name is owned only by a client that asks.
    file.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                   .arg(dir_.path())
                   .toUtf8());
    file.close();
    server_ = std::make_unique<THelperServer>(
        std::vector<std::string>{"dbus-daemon", "--config-file=" + config.toStdString(), "--nofork",
                                 "--print-address=3"},
        std::vector<std::string>{}, true);
    if (!server_->Running())
        failure_ = server_->Failure();
}

TWestonServer::TWestonServer()
{
    if (!ProgramInstalled("weston")) {
        failure_ = "weston is not installed";
        return;
    }
    // Wayland clients refuse a runtime folder that others may enter.
    ::chmod(dir_.path().toLocal8Bit().constData(), 0700);
    const std::string socket = RuntimeDir() + "/" + Display();
    // Debian 12's weston 10 names its back-end by the module's file name.
    server_ = std::make_unique<THelperServer>(
        std::vector<std::string>{"weston", "--backend=headless-backend.so", "--socket=" + Display(),
                                 "--idle-time=0", "--width=1024", "--height=768"},
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + RuntimeDir()}, false,
        [socket] { return Accepts(socket); });
    if (!server_->Running())
        failure_ = server_->Failure();
}

} // namespace tallyrun::test
