// vellora-server: the simulated chat service (club web site and chat server)
// with its control interface. See server/README.md.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "event_loop.h"
#include "options.h"

namespace {

// Written whole under another name and renamed, so a reader never sees half.
bool WriteReadyFile(const std::string& path, std::uint16_t port, std::uint16_t controlPort) {
    std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << "port=" << port << "\ncontrol_port=" << controlPort << "\npid=" << getpid() << "\n";
        if (!out.flush()) return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vellora::sim;
    ServerOptions options;
    std::string message;
    switch (ParseOptions(argc, argv, options, message)) {
    case ParseResult::Help:
        std::fputs(message.c_str(), stdout);
        return 0;
    case ParseResult::Error:
        std::fputs(message.c_str(), stderr);
        return 2;
    case ParseResult::Run:
        break;
    }

    Simulator simulator(options.sim, NowMs());
    EventLoop loop(simulator);
    std::string error;
    if (!loop.Listen(options.bind, options.port, options.controlPort, error)) {
        std::fprintf(stderr, "vellora-server: %s\n", error.c_str());
        return 1;
    }
    if (!options.readyFile.empty() && !WriteReadyFile(options.readyFile, loop.Port(), loop.ControlPort())) {
        std::fprintf(stderr, "vellora-server: cannot write %s\n", options.readyFile.c_str());
        return 1;
    }
    std::printf("vellora-server: chat service on http://%s:%u/, control on http://127.0.0.1:%u/\n",
                options.bind.c_str(), loop.Port(), loop.ControlPort());
    std::fflush(stdout);
    int status = loop.Run(options.idleExit);
    if (!options.readyFile.empty()) std::remove(options.readyFile.c_str());
    return status;
}
