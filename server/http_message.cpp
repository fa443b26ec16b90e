#include "http_message.h"

#include <algorithm>

namespace vellora::sim {
namespace {

std::string_view TrimHeaderValue(std::string_view v) {
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.remove_suffix(1);
    return v;
}

// The end of the header block: the first blank line, written with CR LF or
// with bare LF. Returns the offset of the body, or npos.
std::size_t FindBodyStart(const std::string& raw) {
    std::size_t crlf = raw.find("\r\n\r\n");
    std::size_t lf = raw.find("\n\n");
    if (crlf == std::string::npos && lf == std::string::npos) return std::string::npos;
    if (lf == std::string::npos || (crlf != std::string::npos && crlf < lf)) return crlf + 4;
    return lf + 2;
}

// "http://host/path?q" and "/path?q" both give path and query.
void SplitTarget(Request& r) {
    std::string_view t = r.target;
    std::size_t scheme = t.find("://");
    if (scheme != std::string_view::npos && scheme < t.find('/')) {
        std::size_t slash = t.find('/', scheme + 3);
        t = slash == std::string_view::npos ? std::string_view("/") : t.substr(slash);
    }
    std::size_t q = t.find('?');
    r.path = std::string(t.substr(0, q));
    r.query = q == std::string_view::npos ? std::string() : std::string(t.substr(q + 1));
}

}  // namespace

std::string Request::Header(std::string_view name) const {
    for (const auto& [k, v] : headers) {
        if (EqualsNoCase(k, name)) return v;
    }
    return {};
}

std::string Request::Cookie(std::string_view name) const {
    for (const auto& [k, v] : headers) {
        if (!EqualsNoCase(k, "Cookie")) continue;
        std::string_view rest = v;
        while (!rest.empty()) {
            std::size_t semi = rest.find(';');
            std::string_view pair = TrimBlanks(rest.substr(0, semi));
            rest = semi == std::string_view::npos ? std::string_view() : rest.substr(semi + 1);
            std::size_t eq = pair.find('=');
            if (eq != std::string_view::npos && pair.substr(0, eq) == name) return std::string(pair.substr(eq + 1));
        }
    }
    return {};
}

FormFields Request::Fields() const {
    FormFields fields = ParseForm(query);
    if (!body.empty()) {
        FormFields more = ParseForm(body);
        fields.insert(fields.end(), more.begin(), more.end());
    }
    return fields;
}

RequestReader::State RequestReader::Fail(int status) {
    errorStatus_ = status;
    state_ = State::Bad;
    return state_;
}

RequestReader::State RequestReader::Feed(std::string_view bytes) {
    if (state_ != State::NeedMore) return state_;
    std::string& raw = request_.raw;
    // Keep at most what a complete request may hold, plus one byte that tells
    // "too large" apart from "complete".
    std::size_t room = kMaxHeaderBytes + kMaxBodyBytes + 1 - std::min(raw.size(), kMaxHeaderBytes + kMaxBodyBytes);
    raw.append(bytes.substr(0, room));
    if (!headParsed_) {
        std::size_t bodyStart = FindBodyStart(raw);
        if (bodyStart == std::string::npos) {
            return raw.size() > kMaxHeaderBytes ? Fail(431) : state_;
        }
        if (bodyStart > kMaxHeaderBytes) return Fail(431);
        if (ParseHead(bodyStart) == State::Bad) return state_;
    }
    if (raw.size() < bodyStart_ + bodyLength_) return state_;
    request_.body = raw.substr(bodyStart_, bodyLength_);
    // Bytes after the request (a second one on the same connection) are
    // not part of it.
    raw.resize(bodyStart_ + bodyLength_);
    state_ = State::Complete;
    return state_;
}

RequestReader::State RequestReader::ParseHead(std::size_t bodyStart) {
    headParsed_ = true;
    bodyStart_ = bodyStart;
    std::string_view head(request_.raw.data(), bodyStart);
    std::vector<std::string_view> lines;
    while (!head.empty()) {
        std::size_t nl = head.find('\n');
        std::string_view line = head.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        head = nl == std::string_view::npos ? std::string_view() : head.substr(nl + 1);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.empty()) return Fail(400);

    // Request line: method, target, version, separated by single blanks.
    std::string_view first = lines[0];
    std::size_t s1 = first.find(' ');
    std::size_t s2 = s1 == std::string_view::npos ? s1 : first.find(' ', s1 + 1);
    if (s1 == std::string_view::npos || s2 == std::string_view::npos || s1 == 0 || s2 == s1 + 1) return Fail(400);
    std::string_view version = first.substr(s2 + 1);
    if (!StartsWith(version, "HTTP/1.")) return Fail(version.substr(0, 5) == "HTTP/" ? 505 : 400);
    request_.method = std::string(first.substr(0, s1));
    request_.target = std::string(first.substr(s1 + 1, s2 - s1 - 1));
    SplitTarget(request_);

    bool haveLength = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::size_t colon = lines[i].find(':');
        if (colon == std::string_view::npos || colon == 0) return Fail(400);
        std::string name(lines[i].substr(0, colon));
        std::string value(TrimHeaderValue(lines[i].substr(colon + 1)));
        if (EqualsNoCase(name, "Transfer-Encoding")) return Fail(501);
        if (EqualsNoCase(name, "Content-Length")) {
            // The login form writes this line with two blanks after the colon.
            auto length = ParseInteger(value);
            if (!length || *length < 0 || value[0] == '-') return Fail(400);
            if (haveLength && static_cast<std::size_t>(*length) != bodyLength_) return Fail(400);
            if (static_cast<std::size_t>(*length) > kMaxBodyBytes) return Fail(413);
            haveLength = true;
            bodyLength_ = static_cast<std::size_t>(*length);
        }
        request_.headers.emplace_back(std::move(name), std::move(value));
    }
    return state_;
}

std::string_view StatusText(int status) {
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    case 505: return "HTTP Version Not Supported";
    default: return "Unknown";
    }
}

Answer TextAnswer(int status, std::string body) {
    Answer a;
    a.status = status;
    a.contentType = "text/plain; charset=windows-1252";
    a.body = std::move(body);
    return a;
}

}  // namespace vellora::sim
