// Users' pictures: decoding, the placeholder pictures, copies and row icons.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "view/pictures_win32.h"

namespace vellora {
namespace {

SIZE SizeOf(HBITMAP bmp) {
    BITMAP bm{};
    GetObjectW(bmp, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

COLORREF PixelOf(HBITMAP bmp, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

TEST(PicturesTest, PlaceholdersDecodeAtTheirSize) {
    HBITMAP pic = LoadPlaceholderBitmap(L"F_25_35");
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(SizeOf(pic).cx, 130);
    EXPECT_EQ(SizeOf(pic).cy, 156);
    EXPECT_EQ(LoadPlaceholderBitmap(L"X_NOBODY"), nullptr);
    EXPECT_EQ(LoadPlaceholderBitmap(L""), nullptr);

    // An unscaled copy: the same pixels, black where the source ends.
    HBITMAP copy = CopyBitmapArea(pic, 140, 100);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(SizeOf(copy).cx, 140);
    EXPECT_EQ(SizeOf(copy).cy, 100);
    EXPECT_EQ(PixelOf(copy, 65, 70), PixelOf(pic, 65, 70));
    EXPECT_EQ(PixelOf(copy, 135, 50), RGB(0, 0, 0));
    DeleteObject(copy);
    DeleteObject(pic);
}

TEST(PicturesTest, BadBytesGiveNoPicture) {
    EXPECT_EQ(DecodePictureBytes(""), nullptr);
    EXPECT_EQ(DecodePictureBytes("<html>not found</html>"), nullptr);
    std::string cut = "\xFF\xD8\xFF\xE0";
    EXPECT_EQ(DecodePictureBytes(cut), nullptr);
    EXPECT_EQ(CopyBitmapArea(nullptr, 130, 156), nullptr);
    EXPECT_EQ(MakeUserIconFrom(nullptr), nullptr);
}

TEST(PicturesTest, RowIconsShowThePictureBetweenTransparentStrips) {
    HBITMAP pic = LoadPlaceholderBitmap(L"M_OVER45");
    ASSERT_NE(pic, nullptr);
    HICON icon = MakeUserIconFrom(pic);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(SizeOf(info.hbmColor).cx, 32);
    EXPECT_EQ(SizeOf(info.hbmColor).cy, 32);
    EXPECT_EQ(PixelOf(info.hbmMask, 0, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(info.hbmMask, 31, 10), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(info.hbmMask, 2, 10), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(info.hbmMask, 29, 31), RGB(0, 0, 0));
    EXPECT_NE(PixelOf(info.hbmColor, 16, 4), RGB(0, 0, 0));  // the picture's light ground
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    DeleteObject(pic);
}

}  // namespace
}  // namespace vellora
