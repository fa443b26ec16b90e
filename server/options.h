#pragma once
// The command line of vellora-server.

#include <cstdint>
#include <string>

#include "simulator.h"

namespace vellora::sim {

struct ServerOptions {
    std::string bind = "127.0.0.1";
    std::uint16_t port = 8080;
    std::uint16_t controlPort = 8081;
    std::string readyFile;
    Ms idleExit = 0;
    SimulatorOptions sim;
};

enum class ParseResult { Run, Help, Error };

// Reads the arguments; on Help or Error, Message says what to print.
ParseResult ParseOptions(int argc, const char* const* argv, ServerOptions& out, std::string& message);

extern const char kUsage[];

}  // namespace vellora::sim
