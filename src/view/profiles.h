#pragma once
// Avatars and profile pages: which picture or profile the media stream
// fetches next, what becomes of the answer, and the program's own pictures
// for the club's default avatars. The picture work itself (decoding, copying,
// icons) is done by the window layer.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/client.h"

namespace vellora {

// An entry's picture is kept at this size (the large avatar's).
inline constexpr std::int32_t kPictureWidth = 130;
inline constexpr std::int32_t kPictureHeight = 156;
// Downloads of a picture that may fail in transport before it counts as lost.
inline constexpr std::uint8_t kPictureAttempts = 3;

// What a profile page tells: the age (0 when the cell holds no number) and
// the text the user list and the dialog caption show ("25, Munich").
struct ProfileFacts {
    std::int32_t Age = 0;
    std::wstring DisplayText;
};

// Reads a profile page; nothing when the age cell, or the end of a place
// cell, is missing.
std::optional<ProfileFacts> ReadProfilePage(std::string_view body);

// The placeholder picture a source names when it is one of the club's
// default avatars ("F_25_35" for its small-avatar path); empty otherwise.
std::wstring PlaceholderName(const Client& client, const std::wstring& picStr);

class ProfilePictures : public UserPictures {
public:
    explicit ProfilePictures(Client& client) : client_(client) {}

    RowPicture NewEntryPicture(std::size_t index) override;
    bool NextPictureToLoad(std::wstring& picUrl) override;
    bool NextAgeToRetrieve(std::int32_t& uid) override;
    void PictureLoaded(const std::wstring& picUrl, const std::string& body) override;
    void PictureFailed(const std::wstring& picUrl) override;
    void ProfileLoaded(std::int32_t uid, const std::string& body) override;
    void ReleasePicture(PictureHandle picture) override;

private:
    // Gives Entry its 130 x 156 copy of Picture and returns the row's icon.
    RowPicture TakePicture(RosterEntry& entry, PictureHandle picture);
    // The friend-join toaster once the friend's picture is there.
    void NotifyFriendJoined(RosterEntry& entry);

    Client& client_;
};

}  // namespace vellora
