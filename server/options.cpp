#include "options.h"

#include <string_view>

#include "text_coding.h"

namespace vellora::sim {

const char kUsage[] =
    "usage: vellora-server [options]\n"
    "  --port N             chat service port (default 8080; 0 picks a free one)\n"
    "  --control-port N     control interface port on 127.0.0.1 (default 8081; 0 picks a free one)\n"
    "  --bind ADDR          address of the chat service (default 127.0.0.1)\n"
    "  --ready-file PATH    written once listening: port=, control_port=, pid=\n"
    "  --members N          simulated members (default 12)\n"
    "  --quiet              no members, no activity, no listeners: for tests\n"
    "  --rate N             the members' lines per minute, all together (default 6)\n"
    "  --seed N             seed of everything random (default 1)\n"
    "  --idle-exit S        exit after S seconds without any request (default: never)\n"
    "  --session-timeout S  drop chat sessions that stop polling for S seconds (default 60)\n"
    "  --history N          lines of history in the first poll after entry (default 20)\n"
    "  --reply-ms N         the answering member's reply delay (default 1200)\n"
    "  --club-host NAME     host name in avatar URLs (default club.sendrix.test)\n"
    "  --hostile            lines keep every byte (NUL too) and may look like protocol\n";

namespace {

bool Number(std::string_view text, long long low, long long high, long long& value) {
    auto n = ParseInteger(text);
    if (!n || *n < low || *n > high) return false;
    value = *n;
    return true;
}

}  // namespace

ParseResult ParseOptions(int argc, const char* const* argv, ServerOptions& out, std::string& message) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view value;
        bool hasValue = false;
        if (std::size_t eq = arg.find('='); eq != std::string_view::npos && StartsWith(arg, "--")) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
            hasValue = true;
        }
        auto next = [&]() -> bool {
            if (hasValue) return true;
            if (i + 1 >= argc) return false;
            value = argv[++i];
            return true;
        };
        long long n = 0;
        auto numeric = [&](long long low, long long high) {
            if (!next() || !Number(value, low, high, n)) {
                message = "bad value for " + std::string(arg) + "\n" + kUsage;
                return false;
            }
            return true;
        };

        if (arg == "--help" || arg == "-h") {
            message = kUsage;
            return ParseResult::Help;
        } else if (arg == "--hostile") {
            out.sim.hostile = true;
        } else if (arg == "--quiet") {
            out.sim.members = 0;
            out.sim.rate = 0;
        } else if (arg == "--port") {
            if (!numeric(0, 65535)) return ParseResult::Error;
            out.port = static_cast<std::uint16_t>(n);
        } else if (arg == "--control-port") {
            if (!numeric(0, 65535)) return ParseResult::Error;
            out.controlPort = static_cast<std::uint16_t>(n);
        } else if (arg == "--members") {
            if (!numeric(0, 1000)) return ParseResult::Error;
            out.sim.members = static_cast<int>(n);
        } else if (arg == "--rate") {
            if (!numeric(0, 6000)) return ParseResult::Error;
            out.sim.rate = static_cast<double>(n);
        } else if (arg == "--seed") {
            if (!numeric(0, 4294967295LL)) return ParseResult::Error;
            out.sim.seed = static_cast<std::uint32_t>(n);
        } else if (arg == "--idle-exit") {
            if (!numeric(0, 86400 * 365)) return ParseResult::Error;
            out.idleExit = n * 1000;
        } else if (arg == "--session-timeout") {
            if (!numeric(1, 86400)) return ParseResult::Error;
            out.sim.sessionTimeout = n * 1000;
        } else if (arg == "--history") {
            if (!numeric(0, 500)) return ParseResult::Error;
            out.sim.history = static_cast<std::size_t>(n);
        } else if (arg == "--reply-ms") {
            if (!numeric(0, 600000)) return ParseResult::Error;
            out.sim.replyDelay = n;
        } else if (arg == "--bind" || arg == "--ready-file" || arg == "--club-host") {
            if (!next() || value.empty()) {
                message = "missing value for " + std::string(arg) + "\n" + kUsage;
                return ParseResult::Error;
            }
            (arg == "--bind" ? out.bind : arg == "--ready-file" ? out.readyFile : out.sim.clubHost) = std::string(value);
        } else {
            message = "unknown option " + std::string(arg) + "\n" + kUsage;
            return ParseResult::Error;
        }
    }
    return ParseResult::Run;
}

}  // namespace vellora::sim
