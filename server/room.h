#pragma once
// The chat room: chat sessions entered from a web login, the users present
// (logged-in users and simulated members, in the order they came), the ring
// of recent chat lines, the staff's kick, mute and ban, and the getdata page
// that carries users, new lines and counts to each session.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "club.h"
#include "people.h"
#include "wire_plan.h"

namespace vellora::sim {

struct ChatLine {
    std::uint64_t seq = 0;
    int type = 1;           // 1 a user's line, 2 a system line about a user
    std::string msg;        // as the page carries it (escaped)
    std::string name;       // the sender, or the user a system line is about
    std::string nameStyle;  // "normal", "team" or "system"
};

enum class SessionState { Active, Kicked, Banned };

struct ChatSession {
    std::string id;
    long long uid = 0;
    Ms lastSeen = 0;
    std::uint64_t nextSeq = 0;  // the first line this session has not had yet
    SessionState state = SessionState::Active;
};

struct RoomSettings {
    Ms sessionTimeout = 60000;  // a session that stops polling this long is dropped
    std::size_t history = 20;   // lines the first poll after entry carries from before it
    Ms banDuration = 600000;
    Ms muteDuration = 300000;
    long long chatters = -1;  // -1: the number of users present
    long long listeners = 0;
    bool hostile = false;  // posted lines keep every byte and look like protocol if they will
};

inline constexpr std::size_t kLineRing = 500;
inline constexpr std::size_t kMaxChatSessions = 20000;
inline constexpr std::size_t kGoneSessionMemory = 4096;
// A posted line is cut to this many bytes before it is stored.
inline constexpr std::size_t kMaxLineBytes = 2000;

inline constexpr std::string_view kTeamAnnouncement = "*** SENDRIX TALMOR Club Team:  ";
inline constexpr std::string_view kDenial = "Denied, please login.";
inline constexpr std::string_view kBanText = "'message':{'title':'Sorry','txt':'Sie wurden aus dem Chat geworfen";

class Room {
public:
    Room(const People& people, const Club& club) : people_(people), club_(club) {}
    RoomSettings& Settings() { return settings_; }

    // A new chat session for a user whose web login was checked, with its id
    // drawn from Rng; empty when the chat refuses the user (refused account,
    // ban running). A session the user had before ends without a leave line.
    std::string Enter(const Person& p, Ms now, std::mt19937& rng);
    bool Participate(std::string_view sid, Ms now);
    // The poll page, or nothing when the session is not valid.
    std::optional<std::string> GetData(std::string_view sid, Ms now, bool omitOwnUser);
    enum class SendResult { Taken, Denied, Banned };
    // A posted line (bytes); Sender is set when it was taken as a chat line.
    SendResult Send(std::string_view sid, std::string_view text, Ms now, const Person** sender);
    bool Logout(std::string_view sid, Ms now);

    void PostLine(int type, std::string name, std::string msg, std::string nameStyle);
    // A user's line (escaped); dropped while the user is muted.
    void UserLine(const Person& p, std::string msg, Ms now);
    void TeamAnnouncement(const std::string& aboutName, const std::string& escapedText);

    // Presence of a user, with the join or leave line (unless Quietly: the
    // members who were there before the server started).
    bool Join(const Person& p, bool quietly = false);
    bool Leave(const Person& p);
    bool IsPresent(long long uid) const;
    const std::vector<long long>& Present() const { return present_; }

    // Staff actions on a user named as listed or by plain name.
    bool Kick(std::string_view name, Ms now);
    bool Ban(std::string_view name, Ms duration, Ms now);
    bool Mute(std::string_view name, Ms duration, Ms now);
    bool Unban(std::string_view name);
    bool Unmute(std::string_view name);
    bool IsBanned(long long uid, Ms now) const;
    bool IsMuted(long long uid, Ms now) const;

    // Drops sessions that stopped polling.
    void Expire(Ms now);
    // The user (uid) behind the person that left the club, present or not.
    void Forget(long long uid);

    const std::map<std::string, ChatSession, std::less<>>& Sessions() const { return sessions_; }
    long long Chatters() const;
    std::uint64_t LastSeq() const { return nextSeq_ - 1; }

private:
    const Person* Target(std::string_view name) const;
    void EndSession(const std::string& sid, SessionState why);
    void RememberGone(const std::string& sid, long long uid, SessionState why);
    void Remove(long long uid);
    std::string Page(const ChatSession& s, bool omitOwnUser) const;
    // The records of the user list, without the user OmitUid.
    std::string UserList(long long omitUid) const;

    const People& people_;
    const Club& club_;
    RoomSettings settings_;
    std::deque<ChatLine> lines_;
    std::uint64_t nextSeq_ = 1;
    std::vector<long long> present_;
    mutable std::string userList_;  // the user list's records; empty: to be built
    std::map<std::string, ChatSession, std::less<>> sessions_;
    std::map<long long, std::string> sessionOfUser_;
    struct Gone {
        long long uid;
        SessionState why;
    };
    std::map<std::string, Gone, std::less<>> gone_;
    std::deque<std::string> goneOrder_;
    std::map<long long, Ms> bannedUntil_;
    std::map<long long, Ms> mutedUntil_;
};

}  // namespace vellora::sim
