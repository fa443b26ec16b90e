#include "room.h"

#include <algorithm>

#include "text_coding.h"

namespace vellora::sim {
namespace {

constexpr std::string_view kKicked = " wurde aus dem Chat geworfen";
constexpr std::string_view kBanned = " wurde aus dem Chat verbannt";

std::string Style(const Person& p) { return p.staff ? "team" : "normal"; }

}  // namespace

std::string Room::Enter(const Person& p, Ms now, std::mt19937& rng) {
    if (p.refused || IsBanned(p.uid, now)) return {};
    auto old = sessionOfUser_.find(p.uid);
    if (old != sessionOfUser_.end()) {
        // Entering again replaces the earlier session; the user stays listed.
        std::string oldId = old->second;
        RememberGone(oldId, p.uid, SessionState::Active);
        sessions_.erase(oldId);
        sessionOfUser_.erase(old);
    }
    if (sessions_.size() >= kMaxChatSessions) return {};
    ChatSession s;
    do {
        s.id = RandomToken(rng, 32, true);
    } while (sessions_.count(s.id) || gone_.count(s.id));
    s.uid = p.uid;
    s.lastSeen = now;
    std::uint64_t oldest = lines_.empty() ? nextSeq_ : lines_.front().seq;
    s.nextSeq = std::max<std::uint64_t>(oldest, nextSeq_ > settings_.history ? nextSeq_ - settings_.history : 1);
    sessionOfUser_[p.uid] = s.id;
    std::string id = s.id;
    sessions_[id] = std::move(s);
    return id;
}

bool Room::Participate(std::string_view sid, Ms now) {
    auto it = sessions_.find(sid);
    if (it == sessions_.end() || it->second.state != SessionState::Active) return false;
    it->second.lastSeen = now;
    if (const Person* p = people_.ByUid(it->second.uid)) Join(*p);
    return true;
}

std::optional<std::string> Room::GetData(std::string_view sid, Ms now, bool omitOwnUser) {
    auto it = sessions_.find(sid);
    if (it == sessions_.end()) return std::nullopt;
    ChatSession& s = it->second;
    if (s.state == SessionState::Active) {
        s.lastSeen = now;
        // Polling without the participation request still counts as being here.
        if (const Person* p = people_.ByUid(s.uid)) Join(*p);
    }
    std::string page = Page(s, omitOwnUser);
    s.nextSeq = nextSeq_;
    if (s.state != SessionState::Active) {
        // A kicked or banned session gets this one last page, which carries
        // the announcement, and is gone afterwards.
        std::string id = s.id;
        EndSession(id, s.state);
    }
    return page;
}

Room::SendResult Room::Send(std::string_view sid, std::string_view text, Ms now, const Person** sender) {
    *sender = nullptr;
    auto it = sessions_.find(sid);
    if (it == sessions_.end()) {
        auto gone = gone_.find(sid);
        if (gone != gone_.end() && (gone->second.why == SessionState::Banned || IsBanned(gone->second.uid, now))) {
            return SendResult::Banned;
        }
        return SendResult::Denied;
    }
    ChatSession& s = it->second;
    if (s.state == SessionState::Banned) return SendResult::Banned;
    if (s.state == SessionState::Kicked) return SendResult::Denied;
    s.lastSeen = now;
    const Person* p = people_.ByUid(s.uid);
    if (!p) return SendResult::Denied;
    if (text.size() > kMaxLineBytes) text = text.substr(0, kMaxLineBytes);
    if (TrimBlanks(text).empty()) return SendResult::Taken;

    // Staff commands; from anybody else they are swallowed.
    std::string_view command = TrimBlanks(text);
    for (std::string_view verb : {"/kick ", "/mute ", "/ban "}) {
        if (!StartsWith(command, verb)) continue;
        if (p->staff) {
            std::string_view target = TrimBlanks(command.substr(verb.size()));
            if (verb == "/kick ") Kick(target, now);
            if (verb == "/mute ") Mute(target, settings_.muteDuration, now);
            if (verb == "/ban ") Ban(target, settings_.banDuration, now);
        }
        return SendResult::Taken;
    }
    if (!IsPresent(p->uid)) Join(*p);
    if (IsMuted(p->uid, now)) return SendResult::Taken;
    UserLine(*p, EscapeChatText(text, settings_.hostile), now);
    *sender = p;
    return SendResult::Taken;
}

bool Room::Logout(std::string_view sid, Ms) {
    auto it = sessions_.find(sid);
    if (it == sessions_.end()) return false;
    long long uid = it->second.uid;
    bool active = it->second.state == SessionState::Active;
    EndSession(std::string(sid), SessionState::Active);
    if (active) {
        if (const Person* p = people_.ByUid(uid)) Leave(*p);
    }
    return true;
}

void Room::PostLine(int type, std::string name, std::string msg, std::string nameStyle) {
    ChatLine line;
    line.seq = nextSeq_++;
    line.type = type;
    line.msg = std::move(msg);
    line.name = std::move(name);
    line.nameStyle = std::move(nameStyle);
    lines_.push_back(std::move(line));
    while (lines_.size() > kLineRing) lines_.pop_front();
}

void Room::UserLine(const Person& p, std::string msg, Ms now) {
    if (IsMuted(p.uid, now)) return;
    PostLine(1, DisplayName(p), std::move(msg), Style(p));
}

void Room::TeamAnnouncement(const std::string& aboutName, const std::string& escapedText) {
    PostLine(2, aboutName, std::string(kTeamAnnouncement) + escapedText, "system");
}

bool Room::Join(const Person& p, bool quietly) {
    if (IsPresent(p.uid)) return false;
    present_.push_back(p.uid);
    userList_.clear();
    if (quietly) return true;
    std::string name = DisplayName(p);
    PostLine(2, name, "*** " + EscapeChatText(name) + " betritt den Raum.", "system");
    return true;
}

bool Room::Leave(const Person& p) {
    if (!IsPresent(p.uid)) return false;
    Remove(p.uid);
    std::string name = DisplayName(p);
    PostLine(2, name, "*** " + EscapeChatText(name) + " verl&auml;sst den Raum.", "system");
    return true;
}

bool Room::IsPresent(long long uid) const { return std::find(present_.begin(), present_.end(), uid) != present_.end(); }

void Room::Remove(long long uid) {
    present_.erase(std::remove(present_.begin(), present_.end(), uid), present_.end());
    userList_.clear();
}

std::string Room::UserList(long long omitUid) const {
    std::string list;
    for (long long uid : present_) {
        const Person* p = people_.ByUid(uid);
        if (!p || uid == omitUid) continue;
        if (!list.empty()) list += ",";
        list += "{'id':'" + std::to_string(p->uid) + "','name':'" + DisplayName(*p) + "','src':'" + club_.AvatarUrl(*p) +
                "'}";
    }
    return list;
}

const Person* Room::Target(std::string_view name) const {
    for (long long uid : present_) {
        const Person* p = people_.ByUid(uid);
        if (p && DisplayName(*p) == name) return p;
    }
    return people_.ByName(name);
}

bool Room::Kick(std::string_view name, Ms) {
    const Person* p = Target(name);
    if (!p || !IsPresent(p->uid)) return false;
    Remove(p->uid);
    std::string shown = DisplayName(*p);
    TeamAnnouncement(shown, EscapeChatText(shown) + std::string(kKicked));
    auto s = sessionOfUser_.find(p->uid);
    if (s != sessionOfUser_.end()) sessions_[s->second].state = SessionState::Kicked;
    return true;
}

bool Room::Ban(std::string_view name, Ms duration, Ms now) {
    const Person* p = Target(name);
    if (!p) return false;
    bannedUntil_[p->uid] = now + duration;
    if (IsPresent(p->uid)) {
        Remove(p->uid);
        std::string shown = DisplayName(*p);
        TeamAnnouncement(shown, EscapeChatText(shown) + std::string(kBanned));
    }
    auto s = sessionOfUser_.find(p->uid);
    if (s != sessionOfUser_.end()) sessions_[s->second].state = SessionState::Banned;
    return true;
}

bool Room::Mute(std::string_view name, Ms duration, Ms now) {
    const Person* p = Target(name);
    if (!p) return false;
    mutedUntil_[p->uid] = now + duration;
    return true;
}

bool Room::Unban(std::string_view name) {
    const Person* p = Target(name);
    return p && bannedUntil_.erase(p->uid) > 0;
}

bool Room::Unmute(std::string_view name) {
    const Person* p = Target(name);
    return p && mutedUntil_.erase(p->uid) > 0;
}

bool Room::IsBanned(long long uid, Ms now) const {
    auto it = bannedUntil_.find(uid);
    return it != bannedUntil_.end() && it->second > now;
}

bool Room::IsMuted(long long uid, Ms now) const {
    auto it = mutedUntil_.find(uid);
    return it != mutedUntil_.end() && it->second > now;
}

void Room::Expire(Ms now) {
    std::vector<std::string> stale;
    for (const auto& [id, s] : sessions_) {
        if (now - s.lastSeen > settings_.sessionTimeout) stale.push_back(id);
    }
    for (const auto& id : stale) {
        auto it = sessions_.find(id);
        long long uid = it->second.uid;
        bool active = it->second.state == SessionState::Active;
        EndSession(id, it->second.state);
        if (active) {
            if (const Person* p = people_.ByUid(uid)) Leave(*p);
        }
    }
    for (auto* until : {&bannedUntil_, &mutedUntil_}) {
        std::erase_if(*until, [now](const auto& e) { return e.second <= now; });
    }
}

void Room::Forget(long long uid) {
    if (const Person* p = people_.ByUid(uid)) Leave(*p);
    auto s = sessionOfUser_.find(uid);
    if (s != sessionOfUser_.end()) EndSession(s->second, SessionState::Active);
}

void Room::EndSession(const std::string& sid, SessionState why) {
    auto it = sessions_.find(sid);
    if (it == sessions_.end()) return;
    long long uid = it->second.uid;
    RememberGone(sid, uid, why);
    auto mine = sessionOfUser_.find(uid);
    if (mine != sessionOfUser_.end() && mine->second == sid) sessionOfUser_.erase(mine);
    sessions_.erase(it);
}

void Room::RememberGone(const std::string& sid, long long uid, SessionState why) {
    if (goneOrder_.size() >= kGoneSessionMemory) {
        gone_.erase(goneOrder_.front());
        goneOrder_.pop_front();
    }
    if (gone_.emplace(sid, Gone{uid, why}).second) goneOrder_.push_back(sid);
}

long long Room::Chatters() const {
    return settings_.chatters >= 0 ? settings_.chatters : static_cast<long long>(present_.size());
}

std::string Room::Page(const ChatSession& s, bool omitOwnUser) const {
    std::string page =
        "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
        "<title>getdata</title>\r\n</head>\r\n<body>\r\n<script type=\"text/javascript\">\r\n";
    // Every session gets the same list, so it is built once per change.
    page += "top.showUser({'user':[";
    if (omitOwnUser) {
        page += UserList(s.uid);
    } else {
        if (userList_.empty() && !present_.empty()) userList_ = UserList(0);
        page += userList_;
    }
    page += "]});\r\nvar chats={'chats':[";
    bool first = true;
    std::uint64_t from = std::max(s.nextSeq, lines_.empty() ? nextSeq_ : lines_.front().seq);
    for (std::uint64_t seq = from; seq < nextSeq_; ++seq) {
        const ChatLine& line = lines_[static_cast<std::size_t>(seq - lines_.front().seq)];
        if (!first) page += ",";
        first = false;
        page += "{'mtype':'" + std::to_string(line.type) + "','msg':'" + line.msg + "','id':'" +
                std::to_string(line.seq) + "','name':'" + line.name + "','nameStyle':'" + line.nameStyle + "'}";
    }
    long long active = Chatters();
    page += "]};\r\ntop.addChats(chats);\r\ntop.setUserCounts({'count':{'active':'" + std::to_string(active) +
            "', 'passive':'" + std::to_string(settings_.listeners) + "', 'total':'" +
            std::to_string(active + settings_.listeners) + "'}});\r\n</script>\r\n</body>\r\n</html>";
    return page;
}

}  // namespace vellora::sim
