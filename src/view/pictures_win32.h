#pragma once
// Users' pictures on Windows: decoding image files (JPEG, GIF, BMP) from
// memory, the program's own placeholder pictures, unscaled copies and the
// 32 x 32 icons of the user-list rows; and the store that owns every picture
// the portable code holds by handle.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

#include "dialogs/handles_win32.h"
#include "view/roster.h"

namespace vellora {

// A bitmap decoded from image file bytes, or none.
OwnedBitmap DecodePictureBytes(const std::string& bytes);
// The "JPG" resource of that name decoded, or none when there is none.
OwnedBitmap LoadPlaceholderBitmap(const std::wstring& name);
// A new bitmap with the top-left Width x Height pixels of Source, unscaled
// (black where the source is smaller), or none.
OwnedBitmap CopyBitmapArea(HBITMAP source, int width, int height);
// The icon of a user-list row: a 32 x 32 image, black, with the picture
// stretched into its middle 28 x 32 pixels; the strips left and right are
// transparent. Other sizes (a dialog's window icons) put the picture into
// the middle Width columns of a Size x Size image. None on failure.
OwnedIcon MakeUserIconFrom(HBITMAP picture, int size = 32, int width = 28);

// Owns the pictures handed to the portable code as PictureHandles (the
// bitmap's handle value), until they are released or the store goes.
//
// The club's default avatars are shared: each placeholder is decoded once,
// with one row icon, however many users show it. Pictures never change once
// made, so a copy of a shared picture at its own size is the picture itself,
// and releasing a shared picture or icon does nothing.
class PictureStore {
public:
    PictureHandle Decode(const std::string& bytes);
    PictureHandle Placeholder(const std::wstring& name);
    PictureHandle Copy(PictureHandle picture, int width, int height);
    // A row icon made from Picture: shared for a placeholder, else new (the
    // row takes it); 0 on failure.
    RowPicture MakeUserIcon(PictureHandle picture);
    void Release(PictureHandle picture);

    bool IsSharedIcon(RowPicture icon) const;
    // The bitmap behind a handle, null for none.
    static HBITMAP Bitmap(PictureHandle picture);
    // Pictures held, shared ones included.
    std::size_t Count() const { return owned_.size() + shared_.size(); }

private:
    struct Shared {
        OwnedBitmap picture;
        OwnedIcon icon;
    };
    PictureHandle Keep(OwnedBitmap bitmap);
    Shared* SharedOf(PictureHandle picture);

    std::map<PictureHandle, OwnedBitmap> owned_;
    std::map<std::wstring, Shared> shared_;
};

}  // namespace vellora
