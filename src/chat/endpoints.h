#pragma once
// Where the chat service lives. The client connects by numeric address and
// names the host in its Host and Referer headers. The compiled-in defaults
// can be overridden by an "endpoints.ini" beside the program, one Key=Value
// a line: ClubAddress, ChatAddress, ClubHost, MediaHost, ChatHost, Port.

#include <cstdint>
#include <string>
#include <string_view>

namespace vellora {

struct Endpoints {
    std::string ClubAddress = "127.0.0.1";        // club web server, connected to
    std::string ChatAddress = "127.0.0.1";        // chat server, connected to
    std::string ClubHost = "club.sendrix.test";   // Host of login, page and profile requests
    std::string MediaHost = "media.sendrix.test"; // Host of avatar and profile requests
    std::string ChatHost = "chat.sendrix.test";   // Host and Referer of chat requests
    std::uint16_t Port = 80;
};

inline constexpr const wchar_t* kEndpointsFileName = L"endpoints.ini";

// Applies the lines of an endpoints file on top of Base. Keys are matched
// without regard to case, blanks around keys and values are dropped; lines
// starting with ";" or "#", unknown keys and malformed lines are ignored. An
// address that is not a dotted IPv4 address, a host name with characters a
// host name cannot have, and a port outside 1-65535 are ignored as well, so
// the value before stays.
Endpoints ParseEndpoints(std::string_view text, Endpoints base = {});

// The defaults, overridden by the file at Path when it can be read.
Endpoints LoadEndpoints(const std::wstring& path);

bool IsDottedIPv4(std::string_view text);

}  // namespace vellora
