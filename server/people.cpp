#include "people.h"

#include "text_coding.h"

namespace vellora::sim {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

std::string DisplayName(const Person& p) { return p.staff ? std::string(kTeamPrefix) + p.name : p.name; }

std::string AvatarFile(const Person& p) {
    if (!p.picture.empty()) return p.picture;
    auto age = ParseInteger(p.age);
    long long years = age ? *age : 30;
    const char* bracket = years < 18 ? "UNDER18" : years < 25 ? "18_25" : years < 35 ? "25_35" : years < 45 ? "35_45" : "OVER45";
    return std::string(p.gender == 'm' ? "M_" : "F_") + bracket + ".jpg";
}

bool People::Add(Person person, std::string& error) {
    if (!IsValidName(person.name)) {
        error = "bad name";
        return false;
    }
    if (person.uid <= 0 || person.uid > 2147483647) {
        error = "bad uid";
        return false;
    }
    if (byUid_.size() >= kMaxPeople) {
        error = "too many people";
        return false;
    }
    std::string lower = Lower(person.name);
    if (byUid_.count(person.uid) || byLowerName_.count(lower)) {
        error = "name or uid taken";
        return false;
    }
    byLowerName_[lower] = person.uid;
    long long uid = person.uid;
    byUid_[uid] = std::move(person);
    return true;
}

bool People::Remove(long long uid) {
    auto it = byUid_.find(uid);
    if (it == byUid_.end()) return false;
    byLowerName_.erase(Lower(it->second.name));
    byUid_.erase(it);
    return true;
}

const Person* People::ByUid(long long uid) const {
    auto it = byUid_.find(uid);
    return it == byUid_.end() ? nullptr : &it->second;
}

const Person* People::ByName(std::string_view name) const {
    if (name.size() > kTeamPrefix.size() && EqualsNoCase(name.substr(0, kTeamPrefix.size()), kTeamPrefix)) {
        name.remove_prefix(kTeamPrefix.size());
    }
    auto it = byLowerName_.find(Lower(name));
    return it == byLowerName_.end() ? nullptr : ByUid(it->second);
}

long long People::FreeUid(long long from) const {
    while (byUid_.count(from)) ++from;
    return from;
}

}  // namespace vellora::sim
