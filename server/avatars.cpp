#include "avatars.h"

#include <cstddef>

#include "text_coding.h"

namespace vellora::sim {

// Generated from server/avatars/*.jpg (see embed_avatars.cmake).
struct EmbeddedAvatar {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};
extern const EmbeddedAvatar kEmbeddedAvatars[];
extern const std::size_t kEmbeddedAvatarCount;

namespace {

std::optional<std::string_view> Embedded(std::string_view name) {
    for (std::size_t i = 0; i < kEmbeddedAvatarCount; ++i) {
        if (name == kEmbeddedAvatars[i].name) {
            return std::string_view(reinterpret_cast<const char*>(kEmbeddedAvatars[i].bytes), kEmbeddedAvatars[i].size);
        }
    }
    return std::nullopt;
}

}  // namespace

bool IsDefaultAvatar(std::string_view file) {
    static constexpr std::string_view kBrackets[] = {"UNDER18", "18_25", "25_35", "35_45", "OVER45"};
    if (file.size() < 6 || (file.substr(0, 2) != "F_" && file.substr(0, 2) != "M_")) return false;
    std::string_view rest = file.substr(2, file.size() - 6);
    if (file[file.size() - 4] != '.') return false;
    for (auto b : kBrackets) {
        if (rest == b) return true;
    }
    return false;
}

std::optional<std::string_view> AvatarBytes(std::string_view file) {
    if (IsDefaultAvatar(file)) return Embedded("default.jpg");
    if (file == "default.jpg") return std::nullopt;
    return Embedded(file);
}

std::vector<std::string> PortraitNames() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kEmbeddedAvatarCount; ++i) {
        if (StartsWith(kEmbeddedAvatars[i].name, "portrait")) names.emplace_back(kEmbeddedAvatars[i].name);
    }
    return names;
}

}  // namespace vellora::sim
