// The HTTP receive state on arbitrary answers arriving in arbitrary pieces
// over a real socket, the tick clock moved between them: no crash, no
// socket or state left once the answer completed or failed, and an answer
// that completes by its framing is what examining the bytes read gives.
//
// Input: one byte of flags (bit 0 keep headers; all seed the cuts), then
// the answer.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "fuzz/fuzz_input.h"
#include "net/http_client.h"

namespace {
std::uint32_t fakeMs = 1000;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    if (size < 1) return 0;
    static const bool clockInstalled = [] {
        SetClockSource({[] { return fakeMs; }, [](std::uint32_t ms) { fakeMs += ms; }, {}});
        return true;
    }();
    (void)clockInstalled;
    const bool keepHeaders = (data[0] & 1) != 0;
    std::uint32_t cuts = data[0] * 2654435761u + static_cast<std::uint32_t>(size);
    const std::string answer(reinterpret_cast<const char*>(data) + 1, size - 1);
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) return 0;
    SocketHandle socket = static_cast<SocketHandle>(ends[0]);
    SockSetNonBlocking(socket, true);
    RecvState state;
    std::string response, sent;
    for (std::size_t at = 0; at < answer.size() && socket != 0;) {
        cuts = cuts * 1103515245u + 12345u;
        std::size_t piece = std::min<std::size_t>(answer.size() - at, 1 + (cuts >> 16) % 97);
        Require(::write(ends[1], answer.data() + at, piece) == static_cast<long>(piece), "the peer's write");
        sent.append(answer, at, piece);
        at += piece;
        fakeMs += (cuts >> 8) % 3000;  // never the whole silence time-out between two pieces
        std::string examined = sent;
        if (HttpReceive(socket, response, state, keepHeaders, 4000)) {
            Require(ExamineAnswer(examined, keepHeaders) == Framing::Complete && examined == response,
                    "completed with other bytes than its framing gives");
        }
    }
    for (int i = 0; i < 4 && socket != 0; ++i) {  // silence: it completes by it, or fails
        fakeMs += 4001;
        HttpReceive(socket, response, state, keepHeaders, 4000);
    }
    Require(socket == 0 && state == nullptr, "the socket or its state outlived the answer");
    Require(response.size() <= sent.size(), "the answer grew");
    ::close(ends[1]);
    return 0;
}
