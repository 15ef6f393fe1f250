#include "tests/support/xvfb_server.h"

#include "tests/support/helper_server.h"

#include <sys/stat.h>
#include <unistd.h>

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
    // Xvfb writes the display number it chose to the -displayfd descriptor once it accepts
    // connections.
    server_ = std::make_unique<THelperServer>(
        std::vector<std::string>{"Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0",
                                 "800x600x24"},
        std::vector<std::string>{}, true);
    if (!server_->Running()) {
        failure_ = server_->Failure();
        server_.reset();
        return;
    }
    display_ = ':' + server_->Line();
}

TXvfbServer::~TXvfbServer() = default;

bool TXvfbServer::Running() const
{
    return server_ && server_->Running();
}

} // namespace tallyrun::test
