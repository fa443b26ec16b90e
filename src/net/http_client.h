#pragma once
// HTTP/1.1 over plain sockets: one request per connection, sent whole, and an
// answer collected either blocking (HttpRequest) or one non-blocking read per
// call (HttpReceive, driven by the poll timer).
//
// Texts here are byte strings: one byte is one character. The status line of
// an answer is never looked at; every answer counts.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "net/clock.h"
#include "net/socket.h"

namespace vellora {

// One read takes at most this many bytes.
inline constexpr std::size_t kReceiveChunk = 32768;
// An answer that grows past this many bytes fails at once rather than
// holding on to memory without bound.
inline constexpr std::size_t kMaxAnswerBytes = 16u * 1024u * 1024u;
// However busy the server keeps a request, connect and answer together get
// no longer than three times the 4000 ms of silence every caller allows: a
// server that drips a byte now and then must not freeze the window.
inline constexpr std::uint32_t kRequestDeadlineMs = 12000;

// How far earlier looks at an answer got. An answer only grows between
// arrivals, so each arrival is examined in time proportional to what is new.
struct AnswerScan {
    std::size_t headerEndFrom = 0;  // no header end starts before this
};

// What the receiver keeps between calls: the bytes that arrived so far and
// when data last arrived (or when waiting began).
struct PartialAnswer {
    Tick tick = 0;
    // When the request was started: the deadline counts from here.
    Tick started = 0;
    // The request, while the connect it waits for is still going on.
    std::string unsent;
    // The answer has neither Content-Length nor chunked coding: it is
    // complete once nothing more arrives.
    bool endOfArrivals = false;
    std::string bytes;
    AnswerScan scan;
};
using RecvState = std::unique_ptr<PartialAnswer>;

// A request stream: the socket whose answer is awaited (0: none) and the
// receive state.
struct Connection {
    SocketHandle socket = 0;
    RecvState state;
};

// Connects to Host (dotted IPv4) on Port, sends Request whole and returns the
// socket, or 0 on failure. The connect waits at most kRequestDeadlineMs. With
// KeepOpen false the socket is closed at once and 0 returned: the request
// was fired without waiting for an answer.
SocketHandle HttpSend(const std::string& host, std::uint16_t port, std::string_view request, bool keepOpen);

// HttpSend for the poll timer's streams, which must never wait: when the
// connect does not finish at once, the request waits in State and
// HttpReceive sends it once the connect is through (or fails the request at
// the deadline). False, with Socket 0, when the request could not start.
bool HttpStart(const std::string& host, std::uint16_t port, std::string_view request, SocketHandle& socket,
               RecvState& state);

// One non-blocking step of collecting the answer on Socket. True when a
// complete answer is in Response; the socket is then closed and Socket set to
// 0, as it is on failure. Without KeepHeaders only the body is returned. An
// answer fails after TimeoutMs without data, after kRequestDeadlineMs in
// all, and at once when its framing is broken.
bool HttpReceive(SocketHandle& socket, std::string& response, RecvState& state, bool keepHeaders,
                 std::uint32_t timeoutMs);

// HttpSend and then HttpReceive every 250 ms until the socket is closed, or
// kRequestDeadlineMs after the start.
bool HttpRequest(const std::string& host, std::uint16_t port, std::string_view request, std::string& response,
                 std::uint32_t timeoutMs, bool keepHeaders);

// The status code of an answer kept with its headers ("HTTP/1.1 200 OK"
// gives 200); 0 when it does not start with a status line.
int HttpStatusCode(std::string_view answer);

// The body of an answer kept with its headers: what follows the first empty
// line, or all of it when there is none.
std::string_view HttpBody(std::string_view answer);

// Drops the receive state and closes the socket; nothing when Socket is 0.
void CloseConn(SocketHandle& socket, RecvState& state);
inline void CloseConn(Connection& c) { CloseConn(c.socket, c.state); }

// The framing rules on an answer that is all here so far: true when Response
// is complete, in which case it is replaced by what the caller gets (body,
// or headers and body). Broken: no more bytes can make it an answer (a chunk
// size line without a size). Exposed for tests and benchmarks.
enum class Framing { Complete, Incomplete, EndOfArrivals, Broken };
Framing ExamineAnswer(std::string& response, bool keepHeaders);
Framing ExamineAnswer(std::string& response, bool keepHeaders, AnswerScan& scan);

}  // namespace vellora
