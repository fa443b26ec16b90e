#include "view/pictures_win32.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

#include "dialogs/toolkit_win32.h"

namespace vellora {

namespace {

// A 32-bit top-down bitmap of the screen's kind.
HBITMAP NewBitmap(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

HBITMAP DecodePictureBytes(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > 0x4000000) return nullptr;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) return nullptr;

    // The picture object owns its bitmap: draw it into one of our own.
    HBITMAP result = nullptr;
    short type = PICTYPE_UNINITIALIZED;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Width(&hmWidth)) &&
        SUCCEEDED(picture->get_Height(&hmHeight))) {
        OLE_HANDLE handle = 0;
        BITMAP bm{};
        if (SUCCEEDED(picture->get_Handle(&handle)) &&
            GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof(bm), &bm) &&
            bm.bmWidth > 0 && bm.bmHeight > 0) {
            result = CopyBitmapArea(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), bm.bmWidth,
                                    bm.bmHeight);
        }
    }
    picture->Release();
    return result;
}

HBITMAP LoadPlaceholderBitmap(const std::wstring& name) {
    if (name.empty()) return nullptr;
    HRSRC found = FindResourceW(ProgramInstance(), name.c_str(), L"JPG");
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(ProgramInstance(), found);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) return nullptr;
    return DecodePictureBytes(std::string(data, SizeofResource(ProgramInstance(), found)));
}

HBITMAP CopyBitmapArea(HBITMAP source, int width, int height) {
    if (!source || width <= 0 || height <= 0) return nullptr;
    HBITMAP copy = NewBitmap(width, height);
    if (!copy) return nullptr;
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, copy);
    RECT all{0, 0, width, height};
    FillRect(to, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BOOL ok = BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    if (!ok) {
        DeleteObject(copy);
        return nullptr;
    }
    return copy;
}

HICON MakeUserIconFrom(HBITMAP picture) {
    BITMAP bm{};
    if (!picture || !GetObjectW(picture, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
    constexpr int kSize = 32;
    constexpr int kLeft = 2;
    constexpr int kWidth = 28;
    HBITMAP color = NewBitmap(kSize, kSize);
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, nullptr);
    HICON icon = nullptr;
    if (color && mask) {
        HDC src = CreateCompatibleDC(nullptr);
        HDC dst = CreateCompatibleDC(nullptr);
        HGDIOBJ oldSrc = SelectObject(src, picture);
        HGDIOBJ oldDst = SelectObject(dst, color);
        RECT all{0, 0, kSize, kSize};
        FillRect(dst, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetStretchBltMode(dst, HALFTONE);
        SetBrushOrgEx(dst, 0, 0, nullptr);
        StretchBlt(dst, kLeft, 0, kWidth, kSize, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        // The mask: white (transparent) but for the picture's place.
        SelectObject(dst, mask);
        FillRect(dst, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT shown{kLeft, 0, kLeft + kWidth, kSize};
        FillRect(dst, &shown, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectObject(src, oldSrc);
        SelectObject(dst, oldDst);
        DeleteDC(src);
        DeleteDC(dst);
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmColor = color;
        info.hbmMask = mask;
        icon = CreateIconIndirect(&info);
    }
    if (color) DeleteObject(color);
    if (mask) DeleteObject(mask);
    return icon;
}

}  // namespace vellora
