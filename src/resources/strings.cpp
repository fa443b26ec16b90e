#include "resources/strings.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

namespace vellora {
namespace {

struct StringEntry {
    std::int32_t id;
    const wchar_t* english;
    const wchar_t* german;
};

// Sorted by id, as strings.inc lists them.
constexpr StringEntry kStrings[] = {
#define STR(id, name, english, german) {id, english, german},
#include "resources/strings.inc"
#undef STR
};

constexpr bool StrictlyAscending() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id) return false;
    }
    return true;
}
// The lookup below is a binary search, and one id has one text.
static_assert(StrictlyAscending(), "strings.inc must list each id once, in ascending order");

UiLanguage g_language = UiLanguage::English;
StringLookup g_lookup;

}  // namespace

void SetStringLookup(StringLookup lookup) { g_lookup = std::move(lookup); }

void SetUiLanguage(UiLanguage language) { g_language = language; }

UiLanguage CurrentUiLanguage() { return g_language; }

std::wstring LoadResString(std::int32_t id) {
    if (g_lookup) {
        std::optional<std::wstring> text = g_lookup(id);
        return text ? *text : L"#" + std::to_wstring(id);
    }
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const StringEntry& e, std::int32_t wanted) { return e.id < wanted; });
    if (it == std::end(kStrings) || it->id != id) return L"#" + std::to_wstring(id);
    return g_language == UiLanguage::German ? it->german : it->english;
}

}  // namespace vellora
