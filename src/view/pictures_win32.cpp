#include "view/pictures_win32.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>

#include "dialogs/toolkit_win32.h"

namespace vellora {

namespace {

// Larger files are no avatar; the decoder is not asked.
constexpr std::size_t kMaxPictureBytes = std::size_t{64} << 20;

// A 32-bit top-down bitmap of the screen's kind.
OwnedBitmap NewBitmap(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return OwnedBitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// A memory stream holding a copy of Bytes.
bool StreamOf(const std::string& bytes, ComPtr<IStream>& stream) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory);
    // The stream frees the memory when it is released.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.out()))) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

}  // namespace

OwnedBitmap DecodePictureBytes(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > kMaxPictureBytes) return {};
    ComPtr<IStream> stream;
    if (!StreamOf(bytes, stream)) return {};
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, picture.outVoid())) ||
        !picture)
        return {};

    // The picture object owns its bitmap: draw it into one of our own.
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle))) return {};
    auto bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
    return CopyBitmapArea(bitmap, bm.bmWidth, bm.bmHeight);
}

OwnedBitmap LoadPlaceholderBitmap(const std::wstring& name) {
    if (name.empty()) return {};
    HRSRC found = FindResourceW(ProgramInstance(), name.c_str(), L"JPG");
    if (!found) return {};
    HGLOBAL loaded = LoadResource(ProgramInstance(), found);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) return {};
    return DecodePictureBytes(std::string(data, SizeofResource(ProgramInstance(), found)));
}

OwnedBitmap CopyBitmapArea(HBITMAP source, int width, int height) {
    if (!source || width <= 0 || height <= 0) return {};
    OwnedBitmap copy = NewBitmap(width, height);
    if (!copy) return {};
    OwnedMemoryDc from = CreateMemoryDc();
    OwnedMemoryDc to = CreateMemoryDc();
    BOOL ok = FALSE;
    {
        Selection fromPicture(from, source);
        Selection toCopy(to, copy);
        RECT all{0, 0, width, height};
        FillRect(to, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ok = BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    }
    if (!ok) return {};
    return copy;
}

OwnedIcon MakeUserIconFrom(HBITMAP picture, int size, int width) {
    BITMAP bm{};
    if (!picture || !GetObjectW(picture, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
    if (size <= 0 || width <= 0 || width > size) return {};
    const int left = (size - width) / 2;
    OwnedBitmap color = NewBitmap(size, size);
    OwnedBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    if (!color || !mask) return {};
    {
        OwnedMemoryDc src = CreateMemoryDc();
        OwnedMemoryDc dst = CreateMemoryDc();
        Selection fromPicture(src, picture);
        RECT all{0, 0, size, size};
        {
            Selection toColor(dst, color);
            FillRect(dst, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            SetStretchBltMode(dst, HALFTONE);
            SetBrushOrgEx(dst, 0, 0, nullptr);
            StretchBlt(dst, left, 0, width, size, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        }
        // The mask: white (transparent) but for the picture's place.
        Selection toMask(dst, mask);
        FillRect(dst, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT shown{left, 0, left + width, size};
        FillRect(dst, &shown, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    // The icon gets copies of both bitmaps; ours go with this scope.
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    return OwnedIcon(CreateIconIndirect(&info));
}

// ---------------------------------------------------------------------------

HBITMAP PictureStore::Bitmap(PictureHandle picture) {
    return HoldsPicture(picture) ? reinterpret_cast<HBITMAP>(picture) : nullptr;
}

PictureHandle PictureStore::Keep(OwnedBitmap bitmap) {
    if (!bitmap) return kNoPicture;
    auto handle = reinterpret_cast<PictureHandle>(bitmap.get());
    owned_[handle] = std::move(bitmap);
    return handle;
}

PictureStore::Shared* PictureStore::SharedOf(PictureHandle picture) {
    for (auto& [name, shared] : shared_) {
        if (reinterpret_cast<PictureHandle>(shared.picture.get()) == picture) return &shared;
    }
    return nullptr;
}

PictureHandle PictureStore::Decode(const std::string& bytes) { return Keep(DecodePictureBytes(bytes)); }

PictureHandle PictureStore::Placeholder(const std::wstring& name) {
    auto found = shared_.find(name);
    if (found == shared_.end()) {
        OwnedBitmap picture = LoadPlaceholderBitmap(name);
        if (!picture) return kNoPicture;
        found = shared_.emplace(name, Shared{std::move(picture), {}}).first;
    }
    return reinterpret_cast<PictureHandle>(found->second.picture.get());
}

PictureHandle PictureStore::Copy(PictureHandle picture, int width, int height) {
    BITMAP bm{};
    if (SharedOf(picture) && GetObjectW(Bitmap(picture), sizeof(bm), &bm) && bm.bmWidth == width &&
        bm.bmHeight == height)
        return picture;
    return Keep(CopyBitmapArea(Bitmap(picture), width, height));
}

RowPicture PictureStore::MakeUserIcon(PictureHandle picture) {
    if (Shared* shared = SharedOf(picture)) {
        if (!shared->icon) shared->icon = MakeUserIconFrom(shared->picture);
        return reinterpret_cast<RowPicture>(shared->icon.get());
    }
    return reinterpret_cast<RowPicture>(MakeUserIconFrom(Bitmap(picture)).release());
}

void PictureStore::Release(PictureHandle picture) { owned_.erase(picture); }

bool PictureStore::IsSharedIcon(RowPicture icon) const {
    if (icon == 0) return false;
    for (const auto& [name, shared] : shared_) {
        if (reinterpret_cast<RowPicture>(shared.icon.get()) == icon) return true;
    }
    return false;
}

}  // namespace vellora
