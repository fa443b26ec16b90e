#pragma once
// Users' pictures on Windows: decoding image files (JPEG, GIF, BMP) from
// memory, the program's own placeholder pictures, unscaled copies and the
// 32 x 32 icons of the user-list rows. A picture is a bitmap the caller owns
// and gives back with ReleasePicture.

#include <windows.h>

#include <cstdint>
#include <string>

namespace vellora {

// A bitmap decoded from image file bytes, or null.
HBITMAP DecodePictureBytes(const std::string& bytes);
// The "JPG" resource of that name decoded, or null when there is none.
HBITMAP LoadPlaceholderBitmap(const std::wstring& name);
// A new bitmap with the top-left Width x Height pixels of Source, unscaled
// (black where the source is smaller), or null.
HBITMAP CopyBitmapArea(HBITMAP source, int width, int height);
// The icon of a user-list row: a 32 x 32 image, black, with the picture
// stretched into its middle 28 x 32 pixels; the strips left and right are
// transparent. Null on failure.
HICON MakeUserIconFrom(HBITMAP picture);

}  // namespace vellora
