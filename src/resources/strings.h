#pragma once
// The program's texts by string id, in the user-interface language.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vellora {

enum class UiLanguage { English, German };

// The language LoadResString answers in; English until set.
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// The text of string Id in the current language, or "#" followed by Id in
// decimal when there is no such string.
std::wstring LoadResString(std::int32_t id);

// The Windows program reads its texts from its own string-table resources,
// in the language the system's resource lookup picks for the user; the
// window toolkit installs that lookup here while it runs. Without one (tests,
// other platforms) the built-in table answers. An empty function removes it.
using StringLookup = std::function<std::optional<std::wstring>(std::int32_t id)>;
void SetStringLookup(StringLookup lookup);

}  // namespace vellora
