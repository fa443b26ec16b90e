#pragma once
// What the simulated members say, written in UTF-8; the room turns it into
// chat bytes with entities.

#include <span>
#include <string_view>

namespace vellora::sim::phrases {

std::span<const std::string_view> MemberNames();
std::span<const std::string_view> Places();
std::span<const std::string_view> Chatter();      // lines to everybody, German and English
std::span<const std::string_view> Addressed();    // lines that follow "<name>: "
std::span<const std::string_view> Songs();        // "artist - title", each at least 15 characters
std::span<const std::string_view> Announcements();
std::span<const std::string_view> Replies();      // the answering member's replies

}  // namespace vellora::sim::phrases
