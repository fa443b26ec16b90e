// The Windows string tables generated from the same list as the portable
// table: every id, in both languages, must read back identically through
// the system's resource lookup.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/strings.h"

namespace vellora {
namespace {

// String resources live in blocks of 16 counted strings per language.
std::wstring LoadFromResources(int id, WORD language) {
    HRSRC block = FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!block) return L"<no block>";
    HGLOBAL loaded = LoadResource(nullptr, block);
    auto* p = static_cast<const WCHAR*>(LockResource(loaded));
    if (!p) return L"<not loaded>";
    for (int i = 0; i < id % 16; ++i) p += 1 + *p;
    return std::wstring(p + 1, p + 1 + *p);
}

struct Entry {
    int id;
    const wchar_t* english;
    const wchar_t* german;
};

const Entry kAll[] = {
#define STR(id, name, english, german) {id, english, german},
#include "resources/strings.inc"
#undef STR
};

TEST(StringResources, MatchThePortableTableInBothLanguages) {
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const WORD german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    for (const Entry& e : kAll) {
        EXPECT_EQ(LoadFromResources(e.id, english), e.english) << e.id;
        EXPECT_EQ(LoadFromResources(e.id, german), e.german) << e.id;
    }
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(LoadFromResources(1051, german), LoadResString(1051));
    SetUiLanguage(UiLanguage::English);
}

}  // namespace
}  // namespace vellora
