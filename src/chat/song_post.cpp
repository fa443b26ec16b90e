#include "chat/song_post.h"

#include "chat/send.h"

namespace vellora {

bool SendMsgSongPost::PostEncodedLine(const std::wstring& realMsg) { return SendMsg(client_, realMsg, L""); }

}  // namespace vellora
