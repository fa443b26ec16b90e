// The program's resources as the code finds them: version, icons, the
// toaster's picture, the sound, and string lookups. (The placeholder
// pictures are decoded in pictures_test.cpp.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialogs/toolkit_win32.h"
#include "resources/string_ids.h"
#include "resources/strings.h"

namespace vellora {
namespace {

TEST(ResourcesTest, VersionNamesTheProduct) {
    EXPECT_EQ(VersionValue(L"ProductName"), L"Vellora");
    std::wstring version = VersionValue(L"ProductVersion");
    EXPECT_NE(version, L"???");
    EXPECT_NE(version.find(L'.'), std::wstring::npos);
    EXPECT_EQ(VersionValue(L"NoSuchValue"), L"???");
}

TEST(ResourcesTest, IconsToasterPictureAndSoundAreEmbedded) {
    for (auto [id, size] : {std::pair{1000, 16}, {1015, 32}, {1100, 32}, {1120, 32}}) {
        OwnedIcon icon = LoadIconRes(id, size);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << id;
        OwnedBitmap color(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        GetObjectW(color ? color.get() : mask.get(), sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size) << id;
    }
    EXPECT_EQ(LoadIconRes(4711, 32).get(), nullptr);

    OwnedBitmap toaster(static_cast<HBITMAP>(
        LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(1000), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(toaster, sizeof(bm), &bm));
    EXPECT_EQ(bm.bmWidth, 130);
    EXPECT_EQ(bm.bmHeight, 156);
    EXPECT_EQ(bm.bmBitsPixel, 24);

    HRSRC found = FindResourceW(ProgramInstance(), MAKEINTRESOURCEW(1000), L"WAVE");
    HGLOBAL loaded = found ? LoadResource(ProgramInstance(), found) : nullptr;
    ASSERT_NE(loaded, nullptr);
    const std::string wave(static_cast<const char*>(LockResource(loaded)), SizeofResource(ProgramInstance(), found));
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(wave.substr(8, 4), "WAVE");
}

TEST(ResourcesTest, TextsComeFromTheStringTablesWhileTheToolkitRuns) {
    ToolkitSession toolkit;
    toolkit.Start();
    EXPECT_EQ(LoadStringResource(kStrLoginButton), std::optional<std::wstring>(L"&Login"));
    EXPECT_EQ(LoadResString(kStrConnectFailed), L"Could not connect to server");
    EXPECT_EQ(LoadResString(59999), L"#59999");
    EXPECT_EQ(LoadResString(-1), L"#-1");
    EXPECT_EQ(LoadStringResource(59999), std::nullopt);
}

}  // namespace
}  // namespace vellora
