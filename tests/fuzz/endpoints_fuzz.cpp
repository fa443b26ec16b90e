// endpoints.ini with arbitrary bytes: every address that is taken is a dotted
// IPv4 address, every host name holds only what a host name may (they go
// into request headers as they stand), and the result read back from its
// own file form is the same.
//
// Input: the file's bytes.

#include <string>

#include "chat/endpoints.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace vellora;
using fuzz::Require;

bool IsHostText(const std::string& host) {
    if (host.empty()) return false;
    for (char c : host) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        if (!ok) return false;
    }
    return true;
}

std::string FileForm(const Endpoints& e) {
    return "ClubAddress=" + e.ClubAddress + "\r\nChatAddress=" + e.ChatAddress + "\r\nClubHost=" + e.ClubHost +
           "\r\nMediaHost=" + e.MediaHost + "\r\nChatHost=" + e.ChatHost + "\r\nPort=" + std::to_string(e.Port) +
           "\r\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Endpoints e = ParseEndpoints(std::string_view(reinterpret_cast<const char*>(data), size));
    Require(IsDottedIPv4(e.ClubAddress) && IsDottedIPv4(e.ChatAddress), "an address that is none");
    Require(IsHostText(e.ClubHost) && IsHostText(e.MediaHost) && IsHostText(e.ChatHost), "a host name that is none");
    Require(e.Port != 0, "port 0");
    const Endpoints again = ParseEndpoints(FileForm(e), Endpoints{"0.0.0.1", "0.0.0.1", "x", "x", "x", 1});
    Require(FileForm(again) == FileForm(e), "the endpoints did not come back from their file form");
    return 0;
}
