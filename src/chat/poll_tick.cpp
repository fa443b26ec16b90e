#include "chat/poll_tick.h"

#include "chat/getdata_answer.h"
#include "chat/login.h"
#include "chat/requests.h"
#include "core/client_events.h"
#include "net/http_client.h"
#include "text/codepage.h"

namespace vellora {
namespace {

constexpr std::uint32_t kIdleGrayingIntervalMs = 1000;
// A poll that fails now and then goes unnoticed; this many in a row mean the
// chat server is out of reach, and the user is told once.
constexpr std::int32_t kFailedPollsReported = 2;
constexpr std::string_view kDeniedText = "Denied, please login.";

void ClearPendingMedia(PollState& poll) {
    poll.PendingPicUrl.clear();
    poll.PendingUid = 0;
}

// The running download failed in transport: the picture layer counts it, so
// that one picture that never comes does not hold up all the others.
void GiveUpMediaItem(Client& client) {
    PollState& poll = client.poll;
    if (poll.PendingUid == 0 && !poll.PendingPicUrl.empty()) client.pictures->PictureFailed(poll.PendingPicUrl);
    ClearPendingMedia(poll);
}

void NotePollFailure(Client& client) {
    Session& s = client.session;
    // While logged out the login's own reports say what is wrong.
    if (s.Disconnected || ++client.poll.FailedPolls != kFailedPollsReported) return;
    // Only a report: the poll goes on, and the login stands until the
    // server says otherwise.
    ReportStatusString(client, kStrConnectFailed, false);
    s.Disconnected = false;
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
        GiveUpMediaItem(client);  // pending only when its request could not be sent
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
    if (media.socket == 0) GiveUpMediaItem(client);  // the request failed
}

// An error page or a redirect in place of the poll page is a failed poll,
// not a page without news; a denial is read whatever the status says.
bool IsPollPage(std::string_view answer) {
    int status = HttpStatusCode(answer);
    return (status >= 200 && status <= 299) || HttpBody(answer).find(kDeniedText) != std::string_view::npos;
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

// The poll timer never waits for a connect: a server that does not answer
// must not freeze the window (HttpStart).
void SendGetdata(Client& client) {
    const Endpoints& e = client.endpoints;
    Connection& chat = client.session.Chat;
    client.poll.ChatRequestSession = client.session.JSessionId;
    std::string request = GetdataRequest(e, WideToAnsi(client.session.JSessionId));
    if (!HttpStart(e.ChatAddress, e.Port, request, chat.socket, chat.state)) {
        NotePollFailure(client);
        return;
    }
    if (client.hooks.WatchChatAnswer) client.hooks.WatchChatAnswer(chat.socket);
}

// Collects the getdata answer without blocking and handles it once complete;
// an unfinished receive is silent, a failed one is counted.
void ReceiveChatAnswer(Client& client) {
    Connection& chat = client.session.Chat;
    if (chat.socket == 0) return;
    std::string answer;
    if (HttpReceive(chat.socket, answer, chat.state, true, kProtocolTimeoutMs) && IsPollPage(answer)) {
        client.poll.FailedPolls = 0;
        HandleGetdataAnswer(client, HttpBody(answer), client.poll.ChatRequestSession == client.session.JSessionId);
    } else if (chat.socket == 0) {
        NotePollFailure(client);
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
            HttpStart(e.ClubAddress, e.Port, AvatarRequest(e, target), media.socket, media.state);
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
        if (!HttpStart(e.ClubAddress, e.Port, ProfileRequest(e, uid), media.socket, media.state)) {
            ClearPendingMedia(poll);
        }
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
