// The HTTP receive state on arbitrary answers arriving in arbitrary pieces
// over a real socket, with the tick clock moved by the input: it never
// crashes, never holds more than the answer limit, leaves no socket or
// state behind once an answer completed or failed, and what completes by
// its framing is exactly what examining the bytes read so far gives.
//
// Input: one byte of flags (bit 0 keep headers; the rest seed the cuts),
// then the answer.

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "net/http_client.h"

namespace {

using namespace vellora;
using fuzz::Require;

std::uint32_t fakeMs = 1000;

void UseFakeClock() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    ClockSource source;
    source.millisecondCounter = [] { return fakeMs; };
    source.sleep = [](std::uint32_t ms) { fakeMs += ms; };
    SetClockSource(source);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    UseFakeClock();
    const bool keepHeaders = (data[0] & 1) != 0;
    std::uint32_t cuts = data[0] * 2654435761u + static_cast<std::uint32_t>(size);
    const std::string answer(reinterpret_cast<const char*>(data) + 1, size - 1);

    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) return 0;
    SocketHandle socket = static_cast<SocketHandle>(ends[0]);
    SockSetNonBlocking(socket, true);
    RecvState state;
    std::string response;
    std::string sent;
    bool done = false;

    for (std::size_t at = 0; at < answer.size() && !done;) {
        cuts = cuts * 1103515245u + 12345u;
        std::size_t piece = std::min<std::size_t>(answer.size() - at, 1 + (cuts >> 16) % 97);
        Require(::write(ends[1], answer.data() + at, piece) == static_cast<long>(piece), "the peer's write");
        sent.append(answer, at, piece);
        at += piece;
        fakeMs += (cuts >> 8) % 3000;  // never the whole time-out between two arrivals
        if (HttpReceive(socket, response, state, keepHeaders, 4000)) {
            done = true;
            std::string examined = sent;
            Require(ExamineAnswer(examined, keepHeaders) == Framing::Complete, "completed without its framing");
            Require(examined == response, "completed with other bytes than its framing gives");
        } else if (socket == 0) {
            done = true;
            Require(response.empty(), "a failed answer left bytes behind");
        } else {
            Require(state != nullptr && state->bytes.size() <= kMaxAnswerBytes, "partial answer kept");
        }
    }
    // Silence: the answer completes by it, or fails.
    for (int i = 0; i < 4 && socket != 0; ++i) {
        fakeMs += 4001;
        HttpReceive(socket, response, state, keepHeaders, 4000);
    }
    Require(socket == 0 && state == nullptr, "the socket or its state outlived the answer");
    Require(response.size() <= sent.size(), "the answer grew");
    ::close(ends[1]);
    return 0;
}
