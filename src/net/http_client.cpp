#include "net/http_client.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace vellora {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kContentLength = "\r\nContent-Length: ";
constexpr std::string_view kChunked = "Transfer-Encoding: chunked";
// How long one look at a connect in progress may wait.
constexpr std::uint32_t kConnectWaitMs = 50;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t FindNoCase(std::string_view text, std::string_view what) {
    auto it = std::search(text.begin(), text.end(), what.begin(), what.end(),
                          [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Leading digits in the given base; no digits give 0. A value that cannot be
// an answer we would ever accept (beyond kMaxAnswerBytes) gives false, so a
// length that would overflow is treated as framing that never completes.
bool LeadingNumber(std::string_view text, int base, std::size_t& value) {
    value = 0;
    for (char c : text) {
        int d = base == 16 ? HexDigit(c) : ((c >= '0' && c <= '9') ? c - '0' : -1);
        if (d < 0) break;
        value = value * static_cast<std::size_t>(base) + static_cast<std::size_t>(d);
        if (value > kMaxAnswerBytes) return false;
    }
    return true;
}

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

Framing ExamineContentLength(std::string& response, std::size_t headerEnd, std::size_t match, bool keepHeaders) {
    std::size_t lineEnd = response.find("\r\n", match + 1);
    if (lineEnd == std::string::npos) return Framing::Incomplete;
    std::size_t valueStart = match + kContentLength.size();
    std::string_view value =
        lineEnd > valueStart ? std::string_view(response).substr(valueStart, lineEnd - valueStart) : "";
    std::size_t length = 0;
    if (!LeadingNumber(TrimSpaces(value), 10, length)) return Framing::Incomplete;
    if (response.size() != headerEnd + kHeaderEnd.size() + length) return Framing::Incomplete;
    if (!keepHeaders) response.erase(0, headerEnd + kHeaderEnd.size());
    return Framing::Complete;
}

// Walks the chunk size lines from the start of the body. Incomplete while a
// chunk or its line end has not all arrived; Broken for a size line that
// does not start with a hexadecimal size, or names more than any answer may
// hold. Otherwise the data chunks as (start, size) pairs.
Framing WalkChunks(std::string_view response, std::size_t pos,
                   std::vector<std::pair<std::size_t, std::size_t>>& chunks) {
    for (;;) {
        std::size_t lineEnd = response.find("\r\n", pos);
        if (lineEnd == std::string_view::npos) return Framing::Incomplete;
        std::string_view sizeLine = response.substr(pos, lineEnd - pos);
        std::size_t size = 0;
        if (sizeLine.empty() || HexDigit(sizeLine.front()) < 0 || !LeadingNumber(sizeLine, 16, size)) {
            return Framing::Broken;
        }
        std::size_t data = lineEnd + 2;
        if (size == 0) return Framing::Complete;
        // The chunk and the line end behind it must both have arrived.
        if (data + size + 1 >= response.size()) return Framing::Incomplete;
        chunks.emplace_back(data, size);
        pos = data + size + 2;
    }
}

Framing ExamineChunked(std::string& response, std::size_t headerEnd, bool keepHeaders) {
    std::vector<std::pair<std::size_t, std::size_t>> chunks;
    Framing walked = WalkChunks(response, headerEnd + kHeaderEnd.size(), chunks);
    if (walked != Framing::Complete) return walked;
    std::string body;
    if (keepHeaders) body.assign(response, 0, headerEnd + kHeaderEnd.size());
    for (auto [start, size] : chunks) body.append(response, start, size);
    response = std::move(body);
    return Framing::Complete;
}

// Keeps what arrived (possibly nothing) with the current tick, so the
// time-out measures the time since data last arrived.
void StoreAndWait(std::string& response, RecvState& state, Tick started, bool endOfArrivals, AnswerScan scan = {}) {
    try {
        state = std::make_unique<PartialAnswer>();
        state->tick = TickNow();
        state->started = started;
        state->endOfArrivals = endOfArrivals;
        state->bytes = std::move(response);
        state->scan = scan;
    } catch (const std::bad_alloc&) {
        state.reset();  // out of memory: the partial data is dropped
    }
    response.clear();
}

bool FailureExit(SocketHandle& socket, std::string& response, RecvState& state) {
    state.reset();
    response.clear();
    SockClose(socket);
    socket = 0;
    return false;
}

bool SuccessExit(SocketHandle& socket) {
    SockClose(socket);
    socket = 0;
    return true;
}

// A socket connecting without blocking to Host:Port, or 0. Connected tells
// whether the connect finished at once.
SocketHandle StartConnect(const std::string& host, std::uint16_t port, bool& connected) {
    SocketHandle s = SockCreateTcp();
    if (s == 0) return 0;
    std::uint32_t address = SockInetAddr(host.c_str());
    ConnectState state = ConnectState::Failed;
    if (address != 0 && address != 0xFFFFFFFF && SockSetNonBlocking(s, true)) {
        state = SockConnectStart(s, address, port);
    }
    if (state == ConnectState::Failed) {
        SockClose(s);
        return 0;
    }
    connected = state == ConnectState::Connected;
    return s;
}

bool SendWhole(SocketHandle s, std::string_view request) {
    long sent = SockSend(s, request.data(), request.size());
    return sent >= 0 && static_cast<std::size_t>(sent) == request.size();
}

// Sends the request that waited for its connect. False when the request
// has failed; true also while the connect is still going on.
bool SendWhenConnected(SocketHandle socket, PartialAnswer& state) {
    switch (SockConnectPoll(socket, 0)) {
    case ConnectState::Pending:
        return !TickElapsed(state.started, kRequestDeadlineMs);
    case ConnectState::Failed:
        return false;
    case ConnectState::Connected:
        break;
    }
    if (!SendWhole(socket, state.unsent)) return false;
    state.unsent.clear();
    state.tick = TickNow();  // the silence is counted from here
    return true;
}

}  // namespace

Framing ExamineAnswer(std::string& response, bool keepHeaders) {
    AnswerScan scan;
    return ExamineAnswer(response, keepHeaders, scan);
}

Framing ExamineAnswer(std::string& response, bool keepHeaders, AnswerScan& scan) {
    std::size_t headerEnd = response.find(kHeaderEnd, scan.headerEndFrom);
    if (headerEnd == std::string::npos) {
        scan.headerEndFrom = response.size() >= kHeaderEnd.size() ? response.size() - kHeaderEnd.size() + 1 : 0;
        return Framing::Incomplete;
    }
    scan.headerEndFrom = headerEnd;
    // Only lines of the header block count, so only the header block is
    // searched: a body may well quote either header.
    std::string_view head = std::string_view(response).substr(0, headerEnd + kContentLength.size());
    std::size_t match = FindNoCase(head, kContentLength);
    if (match != std::string::npos && match <= headerEnd) {
        return ExamineContentLength(response, headerEnd, match, keepHeaders);
    }
    if (FindNoCase(std::string_view(response).substr(0, headerEnd), kChunked) != std::string::npos) {
        return ExamineChunked(response, headerEnd, keepHeaders);
    }
    return Framing::EndOfArrivals;
}

SocketHandle HttpSend(const std::string& host, std::uint16_t port, std::string_view request, bool keepOpen) {
    const Tick start = TickNow();
    bool connected = false;
    SocketHandle s = StartConnect(host, port, connected);
    if (s == 0) return 0;
    // The caller waits for the connect, but never longer than a whole
    // request may take; the system's own connect time-out is far longer.
    while (!connected) {
        ConnectState state = SockConnectPoll(s, kConnectWaitMs);
        connected = state == ConnectState::Connected;
        if (state == ConnectState::Failed || (!connected && TickElapsed(start, kRequestDeadlineMs))) {
            SockClose(s);
            return 0;
        }
    }
    if (!SendWhole(s, request) || !keepOpen) {
        SockClose(s);
        return 0;
    }
    return s;
}

bool HttpStart(const std::string& host, std::uint16_t port, std::string_view request, SocketHandle& socket,
               RecvState& state) {
    state.reset();
    bool connected = false;
    socket = StartConnect(host, port, connected);
    if (socket == 0) return false;
    // A connect that is about to finish (as on the local network) is worth a
    // moment's wait: the request then goes out now, not a tick later.
    ConnectState now = connected ? ConnectState::Connected : SockConnectPoll(socket, kConnectWaitMs);
    if (now == ConnectState::Failed) {
        CloseConn(socket, state);
        return false;
    }
    if (now == ConnectState::Connected) {
        if (SendWhole(socket, request)) return true;
        CloseConn(socket, state);
        return false;
    }
    try {
        state = std::make_unique<PartialAnswer>();
        state->tick = state->started = TickNow();
        state->unsent.assign(request);
    } catch (const std::bad_alloc&) {
        CloseConn(socket, state);
        return false;
    }
    return true;
}

bool HttpReceive(SocketHandle& socket, std::string& response, RecvState& state, bool keepHeaders,
                 std::uint32_t timeoutMs) {
    if (socket == 0) return false;
    if (state && !state->unsent.empty()) {
        if (!SendWhenConnected(socket, *state)) return FailureExit(socket, response, state);
        if (!state->unsent.empty()) {
            response.clear();
            return false;
        }
    }
    const Tick started = state ? state->started : TickNow();

    static thread_local std::string buffer;
    buffer.resize(kReceiveChunk);
    long n = SockRecv(socket, buffer.data(), buffer.size());
    if (n < 0) {
        int error = SockLastError();
        if (error != kSockWouldBlock && error != kSockInProgress) return FailureExit(socket, response, state);
    }

    if (n > 0) {
        // A close (n == 0) is not the end of an answer by itself: such an
        // answer ends by its framing or by the silence after it.
        std::string answer;
        AnswerScan scan;
        if (state) {
            answer = std::move(state->bytes);
            scan = state->scan;
            state.reset();
        }
        if (answer.size() + static_cast<std::size_t>(n) > kMaxAnswerBytes) {
            return FailureExit(socket, response, state);
        }
        answer.append(buffer.data(), static_cast<std::size_t>(n));
        Framing framing = ExamineAnswer(answer, keepHeaders, scan);
        if (framing == Framing::Complete) {
            response = std::move(answer);
            return SuccessExit(socket);
        }
        if (framing == Framing::Broken || TickElapsed(started, kRequestDeadlineMs)) {
            return FailureExit(socket, response, state);
        }
        StoreAndWait(answer, state, started, framing == Framing::EndOfArrivals, scan);
        return false;
    }

    // Nothing new arrived.
    if (!state) {
        response.clear();
        StoreAndWait(response, state, started, false);  // records when waiting began
        return false;
    }
    if (TickElapsed(started, kRequestDeadlineMs)) return FailureExit(socket, response, state);
    if (!TickElapsed(state->tick, timeoutMs)) {
        response.clear();
        return false;
    }
    if (!state->endOfArrivals) return FailureExit(socket, response, state);

    response = std::move(state->bytes);
    state.reset();
    if (!keepHeaders) {
        std::size_t headerEnd = response.find(kHeaderEnd);
        if (headerEnd != std::string::npos) response.erase(0, headerEnd + kHeaderEnd.size());
    }
    return SuccessExit(socket);
}

bool HttpRequest(const std::string& host, std::uint16_t port, std::string_view request, std::string& response,
                 std::uint32_t timeoutMs, bool keepHeaders) {
    const Tick start = TickNow();
    SocketHandle socket = HttpSend(host, port, request, true);
    RecvState state;
    bool complete = false;
    do {
        SleepMs(250);
        complete = HttpReceive(socket, response, state, keepHeaders, timeoutMs);
        if (socket != 0 && TickElapsed(start, kRequestDeadlineMs)) {
            CloseConn(socket, state);
            response.clear();
        }
    } while (socket != 0);
    return complete;
}

int HttpStatusCode(std::string_view answer) {
    // "HTTP/" and its version, a blank, three digits, then a blank or the line end.
    if (answer.size() < 12 || answer.substr(0, 5) != "HTTP/") return 0;
    std::size_t blank = answer.find(' ');
    if (blank == std::string_view::npos || blank > 16 || answer.size() < blank + 4) return 0;
    int code = 0;
    for (std::size_t i = blank + 1; i < blank + 4; ++i) {
        if (answer[i] < '0' || answer[i] > '9') return 0;
        code = code * 10 + (answer[i] - '0');
    }
    if (answer.size() > blank + 4 && answer[blank + 4] != ' ' && answer[blank + 4] != '\r') return 0;
    return code;
}

std::string_view HttpBody(std::string_view answer) {
    std::size_t headerEnd = answer.find(kHeaderEnd);
    return headerEnd == std::string_view::npos ? answer : answer.substr(headerEnd + kHeaderEnd.size());
}

void CloseConn(SocketHandle& socket, RecvState& state) {
    state.reset();
    if (socket == 0) return;
    SockClose(socket);
    socket = 0;
}

}  // namespace vellora
