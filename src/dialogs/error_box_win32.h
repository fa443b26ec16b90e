#pragma once
// The error strip at the bottom of a window (the login form): a read-only,
// word-wrapping edit field added below the window's client area, the window
// growing by its height.

#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/handles_win32.h"

namespace vellora {

struct ErrorBox {
    HWND owner = nullptr;
    int ownerWidth = 0;        // window size and client size of the owner
    int ownerHeight = 0;       // before the box was added
    int ownerClientWidth = 0;
    int ownerClientHeight = 0;
    int borderWidth = 0;       // the box's window size less its client size
    int borderHeight = 0;
    int maxHeight = 0;
    OwnedWindow box;           // none until the first text
    int height = 0;            // current height of the box
};

// A record for Owner, or null when the owner's size cannot be read.
std::unique_ptr<ErrorBox> CreateErrorBox(HWND owner, int maxHeight);
// Shows Text in the strip, creating and sizing it; the owner grows or
// shrinks by the change of the strip's height.
void SetErrorBoxText(ErrorBox& record, const std::wstring& text);
// Shrinks the owner back (with RestoreSize) and destroys the strip.
void DestroyErrorBox(std::unique_ptr<ErrorBox>& record, bool restoreSize);

}  // namespace vellora
