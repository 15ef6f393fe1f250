// The desktop session a test may start for itself: a private session bus (dbus-daemon with a
// configuration of its own, so that nothing on it is activated from the machine's service
// files) and a headless Wayland compositor (weston) with a runtime folder of its own.
#pragma once

#include "tests/support/helper_server.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace tallyrun::test {

class TSessionBus
{
public:
    TSessionBus();
    bool Running() const { return server_ && server_->Running(); }
    // The bus's address, for DBUS_SESSION_BUS_ADDRESS.
    std::string Address() const { return server_ ? server_->Line() : std::string(); }
    const std::string& Failure() const { return failure_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<THelperServer> server_;
    std::string failure_;
};

class TWestonServer
{
public:
    TWestonServer();
    bool Running() const { return server_ && server_->Running(); }
    // XDG_RUNTIME_DIR and WAYLAND_DISPLAY for its clients.
    std::string RuntimeDir() const { return dir_.path().toStdString(); }
    std::string Display() const { return "tallyrun-test"; }
    const std::string& Failure() const { return failure_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<THelperServer> server_;
    std::string failure_;
};

} // namespace tallyrun::test
