#pragma once
// The club web site: form login with PHP-style sessions, the home page that
// shows the logged-in member's clubcard link, profile pages and avatars.

#include <deque>
#include <map>
#include <random>
#include <string>
#include <string_view>

#include "http_message.h"
#include "people.h"

namespace vellora::sim {

// Web sessions kept at once; the oldest are forgotten beyond this.
inline constexpr std::size_t kMaxWebSessions = 4096;

class Club {
public:
    Club(const People& people, std::mt19937& rng, std::string host) : people_(people), rng_(rng), host_(std::move(host)) {}

    Answer Login(const Request& r);
    Answer LoginPage() const;
    Answer Home(const Request& r) const;
    Answer Profile(const Request& r) const;
    Answer Avatar(const Request& r) const;

    // The account logged in under a web session id, or nullptr.
    const Person* SessionUser(std::string_view sessionId) const;

    // The logout block of the home page is written with double or single quotes.
    void SetLogoutQuote(char quote) { logoutQuote_ = quote; }
    char LogoutQuote() const { return logoutQuote_; }
    const std::string& Host() const { return host_; }
    std::string AvatarUrl(const Person& p) const;

private:
    // A fresh session; uid 0 is a session that is not logged in.
    std::string NewSession(long long uid);

    const People& people_;
    std::mt19937& rng_;
    std::string host_;
    char logoutQuote_ = '"';
    std::map<std::string, long long, std::less<>> sessions_;
    std::deque<std::string> sessionOrder_;
};

// A random token of lower-case letters and digits (PHP session ids) or of
// upper-case hexadecimal digits (chat session ids).
std::string RandomToken(std::mt19937& rng, std::size_t length, bool hexUpper);

}  // namespace vellora::sim
