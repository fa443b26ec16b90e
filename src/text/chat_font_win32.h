#pragma once
// The chat font that every message pane shows its text in, made from the
// system's icon-title font, and the two fonts of the user-list rows derived
// from it. Shared GDI objects, alive from the first UpdateFontSize until the
// main window object lets them go (PaneFontsLifetime).

#include <windows.h>

#include "dialogs/handles_win32.h"

namespace vellora {

struct PaneFonts {
    OwnedFont chat;
    OwnedFont listBold;     // character height 11, heavier weight
    OwnedFont listRegular;  // cell height 11, 300 lighter than that
};

PaneFonts& SharedPaneFonts();
inline HFONT ChatFont() { return SharedPaneFonts().chat; }

// A new chat font from the current icon-title font, or none; Base receives
// the description it was made from.
OwnedFont CreateChatFont(LOGFONTW& base);
// Keeps NewFont as the chat font and deletes the previous one (call it once
// no pane uses the previous font any more).
void ReplaceChatFont(OwnedFont newFont);
// Remakes the two list fonts from Base, deleting the previous ones.
void RebuildListFonts(const LOGFONTW& base);
// Deletes the fonts that exist.
void DeletePaneFonts();

// Once taken, deletes the shared fonts when it goes (after every window
// that used them).
struct PaneFontsLifetime {
    PaneFontsLifetime() = default;
    PaneFontsLifetime(const PaneFontsLifetime&) = delete;
    PaneFontsLifetime& operator=(const PaneFontsLifetime&) = delete;
    ~PaneFontsLifetime() {
        if (taken) DeletePaneFonts();
    }
    bool taken = false;
};

// The weight of the bold list font for a system font of weight Weight.
int HeavierWeight(int weight);

}  // namespace vellora
