#pragma once
// The simulated members: seeded names and profiles, and their life in the
// room on the server's own clock: chatting from phrase lists, addressing
// each other and the logged-in users, posting song lines, coming and going,
// staff announcements. One member answers every line addressed to it.
// With a rate of 0 nobody acts on their own; Step makes them act at once.

#include <cstdint>
#include <deque>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "people.h"
#include "room.h"

namespace vellora::sim {

inline constexpr Ms kNever = std::numeric_limits<Ms>::max();
inline constexpr long long kFirstMemberUid = 200001;

class Members {
public:
    Members(People& people, Room& room, std::uint32_t seed) : people_(people), room_(room), rng_(seed) {}

    // Count members from the name list (the answering member and a staff
    // member first), most of them present.
    void Populate(int count);
    // A member added by hand; present at once.
    bool Add(Person p, std::string& error);
    bool Remove(std::string_view name);

    // Lines per minute of the whole crowd; 0 keeps everybody quiet.
    void SetRate(double perMinute, Ms now);
    double Rate() const { return rate_; }
    void SetReplyDelay(Ms ms) { replyDelay_ = ms; }
    Ms ReplyDelay() const { return replyDelay_; }
    // The listener count drifts a little with every action.
    void SetWanderingListeners(bool on) { wander_ = on; }

    void Tick(Ms now);
    void Step(int actions, Ms now);
    // A user's line: an answering member that it addresses replies.
    void Heard(const std::string& senderName, std::string_view text, Ms now);
    Ms NextDue() const;

private:
    void Act(Ms now);
    void ScheduleNext(Ms now);
    std::vector<const Person*> Members_(bool present) const;
    template <typename T>
    const T& Pick(const std::vector<T>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng_)];
    }
    std::string_view PickPhrase(std::span<const std::string_view> list);

    People& people_;
    Room& room_;
    std::mt19937 rng_;
    std::vector<long long> uids_;
    double rate_ = 0;
    Ms nextAction_ = kNever;
    Ms replyDelay_ = 1200;
    bool wander_ = false;
    struct Reply {
        Ms due;
        long long from;
        std::string msg;
    };
    std::deque<Reply> replies_;
};

}  // namespace vellora::sim
