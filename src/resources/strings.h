#pragma once
// The program's texts by string id, in the user-interface language.

#include <cstdint>
#include <string>

namespace vellora {

enum class UiLanguage { English, German };

// The language LoadResString answers in; English until set.
void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// The text of string Id in the current language, or "#" followed by Id in
// decimal when there is no such string.
std::wstring LoadResString(std::int32_t id);

}  // namespace vellora
