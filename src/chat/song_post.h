#pragma once
// Song lines go to the chat the way typed lines do.

#include <string>

#include "core/client.h"
#include "song/song_tick.h"

namespace vellora {

class SendMsgSongPost : public SongPostTarget {
public:
    explicit SendMsgSongPost(Client& client) : client_(client) {}
    // SendMsg with no dialog: errors show as status lines.
    bool PostEncodedLine(const std::wstring& realMsg) override;

private:
    Client& client_;
};

}  // namespace vellora
