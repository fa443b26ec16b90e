// The program's resources as the code finds them: version, icons, pictures,
// the sound, and string lookups.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialogs/toolkit_win32.h"
#include "resources/strings.h"

namespace vellora {
namespace {

std::string ResourceBytes(const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(ProgramInstance(), name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(ProgramInstance(), found);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string(data, SizeofResource(ProgramInstance(), found)) : std::string();
}

TEST(ResourcesTest, VersionNamesTheProduct) {
    EXPECT_EQ(VersionValue(L"ProductName"), L"Vellora");
    std::wstring version = VersionValue(L"ProductVersion");
    EXPECT_NE(version, L"???");
    EXPECT_NE(version.find(L'.'), std::wstring::npos);
    EXPECT_EQ(VersionValue(L"NoSuchValue"), L"???");
}

TEST(ResourcesTest, IconsLoadAtTheirSizes) {
    for (auto [id, size] : {std::pair{1000, 16}, {1015, 32}, {1100, 32}, {1120, 32}}) {
        HICON icon = LoadIconRes(id, size);
        ASSERT_NE(icon, nullptr) << id;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size) << id;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    EXPECT_EQ(LoadIconRes(4711, 32), nullptr);
}

TEST(ResourcesTest, PicturesAndSoundAreEmbedded) {
    for (const wchar_t* name : {L"F_UNDER18", L"F_18_25", L"F_25_35", L"F_35_45", L"F_OVER45", L"M_UNDER18",
                                L"M_18_25", L"M_25_35", L"M_35_45", L"M_OVER45"}) {
        std::string jpeg = ResourceBytes(name, L"JPG");
        ASSERT_GT(jpeg.size(), 100u) << name;
        EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8") << name;  // JPEG start of image
    }
    auto toaster = static_cast<HBITMAP>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(1000), IMAGE_BITMAP, 0, 0,
                                                   LR_CREATEDIBSECTION));
    ASSERT_NE(toaster, nullptr);
    BITMAP bm{};
    GetObjectW(toaster, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 130);
    EXPECT_EQ(bm.bmHeight, 156);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    DeleteObject(toaster);

    std::string wave = ResourceBytes(MAKEINTRESOURCEW(1000), L"WAVE");
    ASSERT_GT(wave.size(), 44u);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(wave.substr(8, 4), "WAVE");
}

TEST(ResourcesTest, TextsComeFromTheStringTablesWhileTheToolkitRuns) {
    ASSERT_TRUE(ToolkitStart(0));
    EXPECT_EQ(LoadStringResource(2004), std::optional<std::wstring>(L"&Login"));
    EXPECT_EQ(LoadResString(1050), L"Could not connect to server");
    EXPECT_EQ(LoadResString(59999), L"#59999");
    EXPECT_EQ(LoadResString(-1), L"#-1");
    EXPECT_EQ(LoadStringResource(59999), std::nullopt);
    ToolkitStop();
}

}  // namespace
}  // namespace vellora
