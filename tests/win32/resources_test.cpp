// The program's resources as the code finds them (version, icons, the
// toaster's picture, the sound, texts) and users' pictures: decoding, the
// placeholder pictures, copies, row icons and the store that owns what the
// portable code holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialogs/toolkit_win32.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "view/pictures_win32.h"

namespace vellora {
namespace {

SIZE SizeOf(HBITMAP bmp) {
    BITMAP bm{};
    GetObjectW(bmp, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

COLORREF PixelOf(HBITMAP bmp, int x, int y) {
    OwnedMemoryDc dc = CreateMemoryDc();
    Selection picture(dc, bmp);
    return GetPixel(dc, x, y);
}

TEST(PicturesTest, PlaceholdersDecodeAtTheirSize) {
    for (const wchar_t* name : {L"F_UNDER18", L"F_18_25", L"F_25_35", L"F_35_45", L"F_OVER45", L"M_UNDER18", L"M_18_25",
                                L"M_25_35", L"M_35_45", L"M_OVER45"}) {
        OwnedBitmap each = LoadPlaceholderBitmap(name);
        EXPECT_EQ(SizeOf(each).cx, 130) << name;
        EXPECT_EQ(SizeOf(each).cy, 156) << name;
    }
    OwnedBitmap pic = LoadPlaceholderBitmap(L"F_25_35");
    EXPECT_EQ(LoadPlaceholderBitmap(L"X_NOBODY").get(), nullptr);
    EXPECT_EQ(LoadPlaceholderBitmap(L"").get(), nullptr);

    // An unscaled copy: the same pixels, black where the source ends.
    OwnedBitmap copy = CopyBitmapArea(pic, 140, 100);
    ASSERT_NE(copy.get(), nullptr);
    EXPECT_EQ(SizeOf(copy).cx, 140);
    EXPECT_EQ(SizeOf(copy).cy, 100);
    EXPECT_EQ(PixelOf(copy, 65, 70), PixelOf(pic, 65, 70));
    EXPECT_EQ(PixelOf(copy, 135, 50), RGB(0, 0, 0));
}

TEST(PicturesTest, BadBytesGiveNoPicture) {
    EXPECT_EQ(DecodePictureBytes("").get(), nullptr);
    EXPECT_EQ(DecodePictureBytes("<html>not found</html>").get(), nullptr);
    EXPECT_EQ(DecodePictureBytes("\xFF\xD8\xFF\xE0").get(), nullptr);
    EXPECT_EQ(CopyBitmapArea(nullptr, 130, 156).get(), nullptr);
    EXPECT_EQ(MakeUserIconFrom(nullptr).get(), nullptr);
}

TEST(PicturesTest, RowIconsShowThePictureBetweenTransparentStrips) {
    OwnedBitmap pic = LoadPlaceholderBitmap(L"M_OVER45");
    OwnedIcon icon = MakeUserIconFrom(pic);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    OwnedBitmap color(info.hbmColor), mask(info.hbmMask);
    EXPECT_EQ(SizeOf(color).cx, 32);
    EXPECT_EQ(SizeOf(color).cy, 32);
    EXPECT_EQ(PixelOf(mask, 0, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(mask, 31, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(mask, 2, 10), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(mask, 29, 31), RGB(0, 0, 0));
    EXPECT_NE(PixelOf(color, 16, 4), RGB(0, 0, 0));  // the picture's light ground
}

TEST(PicturesTest, TheStoreSharesDefaultAvatarsAndOwnsTheRest) {
    const LiveHandles before = CountLiveHandles();
    {
        PictureStore store;
        // Any number of users with a default avatar: one bitmap, one icon.
        PictureHandle first = store.Placeholder(L"F_25_35");
        for (int user = 0; user < 20; ++user) {
            PictureHandle shown = store.Copy(store.Placeholder(L"F_25_35"), 130, 156);
            EXPECT_EQ(shown, first);
            EXPECT_TRUE(store.IsSharedIcon(store.MakeUserIcon(shown)));
            store.Release(shown);
        }
        EXPECT_EQ(CountLiveHandles(), (LiveHandles{before.gdi + 1, before.user + 1}));
        // Other pictures are the store's until released; their row icons the row's.
        PictureHandle own = store.Copy(first, 100, 100);
        OwnedIcon rowIcon(reinterpret_cast<HICON>(store.MakeUserIcon(own)));
        EXPECT_NE(own, first);
        EXPECT_FALSE(store.IsSharedIcon(reinterpret_cast<RowPicture>(rowIcon.get())));
        EXPECT_EQ(store.Count(), 2u);
        store.Release(own);
        EXPECT_EQ(store.Count(), 1u);
    }
    EXPECT_EQ(CountLiveHandles(), before);
}

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
        EXPECT_EQ(SizeOf(color ? color.get() : mask.get()).cx, size) << id;
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

    // The toaster's dialog template in both languages.
    for (WORD language : {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)})
        EXPECT_NE(FindResourceExW(ProgramInstance(), RT_DIALOG, MAKEINTRESOURCEW(1000), language), nullptr) << language;
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

const void* ResourceIn(LANGID language, const wchar_t* type, int id) {
    HRSRC found = FindResourceExW(ProgramInstance(), type, MAKEINTRESOURCEW(id), language);
    return found ? LockResource(LoadResource(ProgramInstance(), found)) : nullptr;
}

// Every id below 4096 (where all of the program's are) that names an item or
// a control in one language names one in the other.
TEST(ResourcesTest, MenusAndDialogsCarryTheSameIdsInBothLanguages) {
    ToolkitSession toolkit;
    toolkit.Start();
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const LANGID german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    for (int id : {IDM_OPTIONS, IDM_USER, IDM_SELF}) {
        OwnedMenu en(LoadMenuIndirectW(ResourceIn(english, RT_MENU, id)));
        OwnedMenu de(LoadMenuIndirectW(ResourceIn(german, RT_MENU, id)));
        ASSERT_TRUE(en && de) << id;
        for (UINT item = 1; item < 4096; ++item) {
            EXPECT_EQ(GetMenuState(en, item, MF_BYCOMMAND), GetMenuState(de, item, MF_BYCOMMAND)) << id << ": " << item;
        }
    }
    OwnedWindow parent(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    auto dialog = [&](LANGID language, int id) {
        auto* made = static_cast<const DLGTEMPLATE*>(ResourceIn(language, RT_DIALOG, id));
        return OwnedWindow(made ? CreateDialogIndirectParamW(ProgramInstance(), made, parent, nullptr, 0) : nullptr);
    };
    for (int id : {IDD_LISTS, IDD_ASK_TEXT, IDD_SETTINGS_INTERFACE, IDD_SETTINGS_EVENTS}) {
        OwnedWindow en = dialog(english, id), de = dialog(german, id);
        ASSERT_TRUE(en && de) << id;
        for (int item = 1; item < 4096; ++item) EXPECT_EQ(!GetDlgItem(en, item), !GetDlgItem(de, item)) << item;
    }
}

}  // namespace
}  // namespace vellora
