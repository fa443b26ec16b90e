#pragma once
// Avatars and profile pages of the users in the roster. The poll loop runs
// the downloads over its media stream, one at a time; what to fetch next and
// what to do with an answer is decided behind this interface.

#include <cstddef>
#include <cstdint>
#include <string>

#include "view/roster.h"

namespace vellora {

class UserPictures {
public:
    virtual ~UserPictures() = default;

    // Entry Index was just appended to the roster: give it a picture if one
    // is known without a download. Returns the row picture value.
    virtual RowPicture NewEntryPicture(std::size_t index) = 0;

    // The picture source to download next; false when none is due.
    virtual bool NextPictureToLoad(std::wstring& picUrl) = 0;

    // The user id whose profile page to fetch next; false when none is due.
    virtual bool NextAgeToRetrieve(std::int32_t& uid) = 0;

    // The body of a completed avatar download of PicUrl.
    virtual void PictureLoaded(const std::wstring& picUrl, const std::string& body) = 0;

    // The download of PicUrl failed in transport (no connection, no
    // complete answer). After a few such failures the entries give up on it.
    virtual void PictureFailed(const std::wstring& picUrl) = 0;

    // The body of a completed profile page of Uid.
    virtual void ProfileLoaded(std::int32_t uid, const std::string& body) = 0;

    // A roster entry that holds Picture has left the chat.
    virtual void ReleasePicture(PictureHandle picture) = 0;
};

}  // namespace vellora
