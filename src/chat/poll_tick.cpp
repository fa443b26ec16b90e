#include "chat/poll_tick.h"

#include "chat/getdata_answer.h"
#include "chat/login.h"
#include "chat/requests.h"
#include "net/http_client.h"
#include "text/codepage.h"

namespace vellora {
namespace {

constexpr std::uint32_t kIdleGrayingIntervalMs = 1000;

void ClearPendingMedia(PollState& poll) {
    poll.PendingPicUrl.clear();
    poll.PendingUid = 0;
}

// Looks at the outstanding avatar or profile request.
void ServiceMediaStream(Client& client) {
    PollState& poll = client.poll;
    Connection& media = client.session.Media;
    if (poll.SideWaitTicks > 0) {
        --poll.SideWaitTicks;
        return;
    }
    if (media.socket == 0) {
        ClearPendingMedia(poll);
        return;
    }
    std::string body;
    if (HttpReceive(media.socket, body, media.state, false, kProtocolTimeoutMs)) {
        if (poll.PendingUid != 0) {
            client.pictures->ProfileLoaded(poll.PendingUid, body);
        } else {
            client.pictures->PictureLoaded(poll.PendingPicUrl, body);
        }
        ClearPendingMedia(poll);
        return;
    }
    poll.SideWaitTicks = kMediaWaitTicks;
    if (media.socket == 0) ClearPendingMedia(poll);  // the request failed: give the item up
}

// The server's picture source goes into our request line as it stands, so
// one that would break the line is not sent.
bool FitsRequestLine(std::string_view target) {
    if (target.empty()) return false;
    for (unsigned char c : target) {
        if (c <= ' ' || c == 0x7F) return false;
    }
    return true;
}

void SendGetdata(Client& client) {
    const Endpoints& e = client.endpoints;
    client.poll.ChatRequestSession = client.session.JSessionId;
    client.session.Chat.socket =
        HttpSend(e.ChatAddress, e.Port, GetdataRequest(e, WideToAnsi(client.session.JSessionId)), true);
    if (client.session.Chat.socket != 0 && client.hooks.WatchChatAnswer) {
        client.hooks.WatchChatAnswer(client.session.Chat.socket);
    }
}

// Collects the getdata answer without blocking and handles it once complete;
// a failed or unfinished receive is silent.
void ReceiveChatAnswer(Client& client) {
    Connection& chat = client.session.Chat;
    std::string body;
    if (chat.socket != 0 && HttpReceive(chat.socket, body, chat.state, false, kProtocolTimeoutMs)) {
        HandleGetdataAnswer(client, body, client.poll.ChatRequestSession == client.session.JSessionId);
    }
}

void SendNextMediaRequest(Client& client) {
    PollState& poll = client.poll;
    const Endpoints& e = client.endpoints;
    Connection& media = client.session.Media;
    // One download at a time, and none while the last one is still settling.
    if (!poll.PendingPicUrl.empty() || poll.SideWaitTicks != 0 || poll.PendingUid != 0) return;

    std::wstring picUrl;
    if (client.pictures->NextPictureToLoad(picUrl)) {
        poll.PendingPicUrl = picUrl;
        std::string target = WideToAnsi(picUrl);
        if (FitsRequestLine(target)) {
            media.socket = HttpSend(e.ClubAddress, e.Port, AvatarRequest(e, target), true);
        } else {
            // Such a source can never be fetched: it counts as a download
            // that brought no picture, so it does not block the others.
            client.pictures->PictureLoaded(picUrl, std::string());
            ClearPendingMedia(poll);
        }
        poll.SideWaitTicks = kMediaWaitTicks;
        return;
    }
    std::int32_t uid = 0;
    // A user whose id could not be read has no profile to fetch.
    if (client.pictures->NextAgeToRetrieve(uid) && uid != 0) {
        poll.PendingUid = uid;
        media.socket = HttpSend(e.ClubAddress, e.Port, ProfileRequest(e, uid), true);
        if (media.socket == 0) ClearPendingMedia(poll);
        poll.SideWaitTicks = kMediaWaitTicks;
    }
}

void ChatTurn(Client& client) {
    Connection& chat = client.session.Chat;
    if (client.session.Disconnected) LoginSequence(client);
    ReceiveChatAnswer(client);
    if (chat.socket == 0) SendGetdata(client);
    if (client.session.Media.socket == 0) SendNextMediaRequest(client);
    // With a request on the wire the next tick is a chat turn again; after a
    // failed send one tick passes before the next try.
    client.poll.ChatTurn = chat.socket == 0;
}

}  // namespace

void Timer1_Timer(Client& client) {
    PollState& poll = client.poll;
    if (!client.session.LoginPhase && !poll.InTimer) {
        poll.InTimer = true;
        poll.SoundStartedThisTick = false;
        poll.ChatTurn = !poll.ChatTurn;
        if (client.session.WindowsCreated) {
            if (client.hooks.SongStep) client.hooks.SongStep();
            ServiceMediaStream(client);
            if (client.hooks.ToasterTick) client.hooks.ToasterTick(kToasterLifetimeMs);
            if (poll.ChatTurn) ChatTurn(client);
            bool grayingDue = client.settings.GrayOrHilightUsersMode == kGrayIgnoredAndIdle &&
                              TickElapsed(client.LastHilightUpdate, kIdleGrayingIntervalMs);
            if (grayingDue && client.hooks.GrayIdleUsers) client.hooks.GrayIdleUsers();
        }
        poll.InTimer = false;
    }
    client.EntryPhaseOver = client.FriendsAtEntryDone;
}

void ChatAnswerArrived(Client& client, SocketHandle socket) {
    PollState& poll = client.poll;
    const Session& s = client.session;
    if (s.LoginPhase || poll.InTimer || !s.WindowsCreated || s.Disconnected) return;
    if (socket == 0 || socket != s.Chat.socket) return;
    poll.InTimer = true;
    poll.SoundStartedThisTick = false;
    ReceiveChatAnswer(client);
    poll.InTimer = false;
}

}  // namespace vellora
