#include "members.h"

#include <algorithm>

#include "avatars.h"
#include "phrases.h"
#include "text_coding.h"

namespace vellora::sim {
namespace {

constexpr std::size_t kMaxPendingReplies = 100;

}  // namespace

std::string_view Members::PickPhrase(std::span<const std::string_view> list) {
    return list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(rng_)];
}

void Members::Populate(int count) {
    auto names = phrases::MemberNames();
    std::vector<std::string> portraits = PortraitNames();
    count = std::min<int>(count, static_cast<int>(names.size()));
    for (int i = 0; i < count; ++i) {
        Person p;
        p.name = std::string(names[static_cast<std::size_t>(i)]);
        p.uid = people_.FreeUid(kFirstMemberUid + i);
        p.simulated = true;
        p.answers = i == 0;
        p.staff = i == 1;
        p.gender = (rng_() & 1) ? 'm' : 'f';
        if (rng_() % 5 != 0) p.age = std::to_string(std::uniform_int_distribution<int>(16, 62)(rng_));
        if (rng_() % 7 != 0) p.place = EscapeChatTextUtf8(PickPhrase(phrases::Places()));
        if (rng_() % 5 >= 2 && !portraits.empty()) p.picture = Pick(portraits);
        std::string error;
        bool present = i < 2 || rng_() % 4 != 0;
        long long uid = p.uid;
        if (!people_.Add(std::move(p), error)) continue;
        uids_.push_back(uid);
        if (present) room_.Join(*people_.ByUid(uid), true);
    }
}

bool Members::Add(Person p, std::string& error) {
    p.simulated = true;
    p.password.clear();
    long long uid = p.uid;
    if (!people_.Add(std::move(p), error)) return false;
    uids_.push_back(uid);
    room_.Join(*people_.ByUid(uid));
    return true;
}

bool Members::Remove(std::string_view name) {
    const Person* p = people_.ByName(name);
    if (!p || !p->simulated) return false;
    long long uid = p->uid;
    room_.Forget(uid);
    uids_.erase(std::remove(uids_.begin(), uids_.end(), uid), uids_.end());
    std::erase_if(replies_, [uid](const Reply& r) { return r.from == uid; });
    return people_.Remove(uid);
}

void Members::SetRate(double perMinute, Ms now) {
    rate_ = std::max(0.0, perMinute);
    ScheduleNext(now);
}

void Members::ScheduleNext(Ms now) {
    if (rate_ <= 0) {
        nextAction_ = kNever;
        return;
    }
    double mean = 60000.0 / rate_;
    nextAction_ = now + static_cast<Ms>(mean * std::uniform_real_distribution<double>(0.4, 1.6)(rng_));
}

Ms Members::NextDue() const {
    Ms due = nextAction_;
    for (const auto& r : replies_) due = std::min(due, r.due);
    return due;
}

void Members::Tick(Ms now) {
    while (!replies_.empty() && replies_.front().due <= now) {
        Reply r = std::move(replies_.front());
        replies_.pop_front();
        const Person* p = people_.ByUid(r.from);
        if (p && room_.IsPresent(p->uid)) room_.UserLine(*p, std::move(r.msg), now);
    }
    if (nextAction_ <= now) {
        Act(now);
        ScheduleNext(now);
    }
}

void Members::Step(int actions, Ms now) {
    for (int i = 0; i < actions; ++i) Act(now);
}

void Members::Heard(const std::string& senderName, std::string_view text, Ms now) {
    std::string_view line = text;
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    for (long long uid : uids_) {
        const Person* p = people_.ByUid(uid);
        if (!p || !p->answers || !room_.IsPresent(uid) || DisplayName(*p) == senderName) continue;
        std::string addressee = DisplayName(*p) + ":";
        if (line.size() < addressee.size() || !EqualsNoCase(line.substr(0, addressee.size()), addressee)) continue;
        if (replies_.size() >= kMaxPendingReplies) return;
        std::string msg = EscapeChatText(senderName) + ": " + EscapeChatTextUtf8(PickPhrase(phrases::Replies()));
        Ms due = now + replyDelay_;
        if (!replies_.empty()) due = std::max(due, replies_.back().due);
        replies_.push_back({due, uid, std::move(msg)});
    }
}

std::vector<const Person*> Members::Members_(bool present) const {
    std::vector<const Person*> out;
    for (long long uid : uids_) {
        const Person* p = people_.ByUid(uid);
        if (p && room_.IsPresent(uid) == present) out.push_back(p);
    }
    return out;
}

void Members::Act(Ms now) {
    std::vector<const Person*> here = Members_(true);
    std::vector<const Person*> away = Members_(false);
    std::erase_if(away, [&](const Person* p) { return room_.IsBanned(p->uid, now); });
    if (here.empty()) {
        if (!away.empty()) room_.Join(*Pick(away));
        return;
    }
    if (wander_) {
        long long& listeners = room_.Settings().listeners;
        listeners = std::clamp<long long>(listeners + std::uniform_int_distribution<int>(-3, 3)(rng_), 20, 150);
    }

    const Person& speaker = *Pick(here);
    std::vector<const Person*> users;  // logged-in users present
    for (long long uid : room_.Present()) {
        const Person* p = people_.ByUid(uid);
        if (p && !p->simulated) users.push_back(p);
    }
    int roll = std::uniform_int_distribution<int>(0, 99)(rng_);
    if (roll < 15 && here.size() > 1) {
        const Person* other = Pick(here);
        if (other != &speaker) {
            room_.UserLine(speaker,
                           EscapeChatText(DisplayName(*other)) + ": " + EscapeChatTextUtf8(PickPhrase(phrases::Addressed())),
                           now);
            return;
        }
    } else if (roll < 27 && !users.empty()) {
        room_.UserLine(speaker,
                       EscapeChatText(DisplayName(*Pick(users))) + ": " + EscapeChatTextUtf8(PickPhrase(phrases::Addressed())),
                       now);
        return;
    } else if (roll < 35) {
        room_.UserLine(speaker, "(listening to: " + EscapeChatTextUtf8(PickPhrase(phrases::Songs())) + ")", now);
        return;
    } else if (roll < 43 && here.size() > 3) {
        const Person* leaving = Pick(here);
        if (!leaving->answers) {
            room_.Leave(*leaving);
            return;
        }
    } else if (roll < 52 && !away.empty()) {
        room_.Join(*Pick(away));
        return;
    } else if (roll < 55 && speaker.staff) {
        room_.TeamAnnouncement("", EscapeChatTextUtf8(PickPhrase(phrases::Announcements())));
        return;
    }
    room_.UserLine(speaker, EscapeChatTextUtf8(PickPhrase(phrases::Chatter())), now);
}

}  // namespace vellora::sim
