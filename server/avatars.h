#pragma once
// The avatar pictures the club serves: the portraits drawn by
// tools/make_portraits.sh, embedded at build time.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::sim {

// The JPEG bytes for an avatar file name; the club's default avatars
// (F_UNDER18.jpg ... M_OVER45.jpg) share one gray silhouette.
std::optional<std::string_view> AvatarBytes(std::string_view file);

// The own pictures members can have ("portrait01.jpg", ...).
std::vector<std::string> PortraitNames();

// True for the file names of the club's default avatars.
bool IsDefaultAvatar(std::string_view file);

}  // namespace vellora::sim
