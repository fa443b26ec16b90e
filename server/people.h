#pragma once
// Everybody the club knows: accounts that can log in (demo accounts and
// those added through the control interface) and the simulated members, who
// only chat. Profiles (age, place, picture) are served for both.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::sim {

struct Person {
    long long uid = 0;
    std::string name;      // bytes as the chat shows them
    std::string password;  // empty: cannot log in (simulated members)
    std::string age;       // decimal text; empty when the profile shows none
    std::string place;     // page text with entities; may be empty
    char gender = 'f';     // 'f' or 'm', picks the default avatar
    std::string picture;   // avatar file name; empty: the club's default for gender and age
    bool staff = false;    // listed with the team prefix, may kick, mute and ban
    bool refused = false;  // the chat refuses this account's entry
    bool simulated = false;
    bool answers = false;  // a simulated member that replies to lines addressed to it
};

inline constexpr std::string_view kTeamPrefix = "club-team: ";
inline constexpr std::size_t kMaxPeople = 100000;

// The name as the chat lists it: staff carry the team prefix.
std::string DisplayName(const Person& p);

// The avatar file of the user list: the own picture, or one of the club's
// default avatars F_UNDER18 ... M_OVER45 with ".jpg".
std::string AvatarFile(const Person& p);

class People {
public:
    // Names are unique without regard to case, uids unique and positive.
    bool Add(Person person, std::string& error);
    bool Remove(long long uid);
    const Person* ByUid(long long uid) const;
    // Exact name first, then without regard to case; the team prefix is
    // taken off first.
    const Person* ByName(std::string_view name) const;
    std::size_t Count() const { return byUid_.size(); }
    // The smallest free uid at or above From.
    long long FreeUid(long long from) const;

private:
    std::map<long long, Person> byUid_;
    std::map<std::string, long long, std::less<>> byLowerName_;
};

}  // namespace vellora::sim
