#pragma once
// HTTP/1.1 requests as the simulator reads them, and the answers it builds.
// One request per connection: the reader stops at the end of the first one.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text_coding.h"

namespace vellora::sim {

// A request's header block and body are bounded; larger ones are refused.
inline constexpr std::size_t kMaxHeaderBytes = 16 * 1024;
inline constexpr std::size_t kMaxBodyBytes = 64 * 1024;

struct Request {
    std::string raw;  // the bytes exactly as received
    std::string method;
    std::string target;  // as in the request line
    std::string path;    // the target without scheme, host and query
    std::string query;
    std::vector<std::pair<std::string, std::string>> headers;  // value without surrounding blanks
    std::string body;

    // The first header of that name (compared without regard to case), or empty.
    std::string Header(std::string_view name) const;
    // The value of a cookie from any "Cookie:" line, or empty.
    std::string Cookie(std::string_view name) const;
    // The query's fields followed by the form body's fields.
    FormFields Fields() const;
};

class RequestReader {
public:
    enum class State { NeedMore, Complete, Bad };

    // Takes more bytes. Once the state is Complete or Bad, further bytes
    // are ignored.
    State Feed(std::string_view bytes);
    State state() const { return state_; }
    // The status code to answer a bad request with.
    int ErrorStatus() const { return errorStatus_; }
    Request& request() { return request_; }
    const std::string& Buffered() const { return request_.raw; }

private:
    State Fail(int status);
    State ParseHead(std::size_t headEnd);

    State state_ = State::NeedMore;
    int errorStatus_ = 400;
    std::size_t bodyStart_ = 0;
    std::size_t bodyLength_ = 0;
    bool headParsed_ = false;
    Request request_;
};

struct Answer {
    int status = 200;
    std::string contentType = "text/html; charset=windows-1252";
    std::vector<std::string> headers;  // whole lines without CR LF, such as "Set-Cookie: a=b; path=/"
    std::string body;
};

std::string_view StatusText(int status);
Answer TextAnswer(int status, std::string body);

}  // namespace vellora::sim
