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

// Walks the chunk size lines from the start of the body. Returns false while
// a chunk or its line end has not all arrived; otherwise the data chunks as
// (start, size) pairs.
bool WalkChunks(std::string_view response, std::size_t pos, std::vector<std::pair<std::size_t, std::size_t>>& chunks) {
    for (;;) {
        std::size_t lineEnd = response.find("\r\n", pos);
        if (lineEnd == std::string_view::npos) return false;
        std::size_t size = 0;
        if (!LeadingNumber(response.substr(pos, lineEnd - pos), 16, size)) return false;
        std::size_t data = lineEnd + 2;
        if (size == 0) return true;
        // The chunk and the line end behind it must both have arrived.
        if (data + size + 1 >= response.size()) return false;
        chunks.emplace_back(data, size);
        pos = data + size + 2;
    }
}

Framing ExamineChunked(std::string& response, std::size_t headerEnd, bool keepHeaders) {
    std::vector<std::pair<std::size_t, std::size_t>> chunks;
    if (!WalkChunks(response, headerEnd + kHeaderEnd.size(), chunks)) return Framing::Incomplete;
    std::string body;
    if (keepHeaders) body.assign(response, 0, headerEnd + kHeaderEnd.size());
    for (auto [start, size] : chunks) body.append(response, start, size);
    response = std::move(body);
    return Framing::Complete;
}

// Keeps what arrived (possibly nothing) with the current tick, so the
// time-out measures the time since data last arrived.
void StoreAndWait(std::string& response, RecvState& state, bool endOfArrivals, AnswerScan scan = {}) {
    try {
        state = std::make_unique<PartialAnswer>();
        state->tick = TickNow();
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
    // Only a Content-Length line of the header block counts, so only the
    // header block is searched.
    std::string_view head = std::string_view(response).substr(0, headerEnd + kContentLength.size());
    std::size_t match = FindNoCase(head, kContentLength);
    if (match != std::string::npos && match <= headerEnd) {
        return ExamineContentLength(response, headerEnd, match, keepHeaders);
    }
    std::size_t chunked = FindNoCase(std::string_view(response).substr(scan.chunkedFrom), kChunked);
    if (chunked != std::string::npos) {
        scan.chunkedFrom += chunked;
        return ExamineChunked(response, headerEnd, keepHeaders);
    }
    scan.chunkedFrom = response.size() >= kChunked.size() ? response.size() - kChunked.size() + 1 : 0;
    return Framing::EndOfArrivals;
}

SocketHandle HttpSend(const std::string& host, std::uint16_t port, std::string_view request, bool keepOpen) {
    SocketHandle s = SockCreateTcp();
    if (s == 0) return 0;
    std::uint32_t address = SockInetAddr(host.c_str());
    if (address == 0 || address == 0xFFFFFFFF || !SockSetNonBlocking(s, false) || !SockConnect(s, address, port) ||
        !SockSetNonBlocking(s, true)) {
        SockClose(s);
        return 0;
    }
    long sent = SockSend(s, request.data(), request.size());
    if (sent < 0 || static_cast<std::size_t>(sent) != request.size() || !keepOpen) {
        SockClose(s);
        return 0;
    }
    return s;
}

bool HttpReceive(SocketHandle& socket, std::string& response, RecvState& state, bool keepHeaders,
                 std::uint32_t timeoutMs) {
    if (socket == 0) return false;

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
        switch (ExamineAnswer(answer, keepHeaders, scan)) {
        case Framing::Complete:
            response = std::move(answer);
            return SuccessExit(socket);
        case Framing::Incomplete:
            StoreAndWait(answer, state, false, scan);
            return false;
        case Framing::EndOfArrivals:
            StoreAndWait(answer, state, true, scan);
            return false;
        }
    }

    // Nothing new arrived.
    if (!state) {
        response.clear();
        StoreAndWait(response, state, false);  // records when waiting began
        return false;
    }
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
    SocketHandle socket = HttpSend(host, port, request, true);
    RecvState state;
    bool complete = false;
    do {
        SleepMs(250);
        complete = HttpReceive(socket, response, state, keepHeaders, timeoutMs);
    } while (socket != 0);
    return complete;
}

void CloseConn(SocketHandle& socket, RecvState& state) {
    state.reset();
    if (socket == 0) return;
    SockClose(socket);
    socket = 0;
}

}  // namespace vellora
