#pragma once
// The chat font that every message pane shows its text in, made from the
// system's icon-title font, and the two fonts of the user-list rows derived
// from it. Shared GDI objects, alive from the first UpdateFontSize to
// shutdown.

#include <windows.h>

namespace vellora {

struct PaneFonts {
    HFONT chat = nullptr;
    HFONT listBold = nullptr;     // character height 11, heavier weight
    HFONT listRegular = nullptr;  // cell height 11, 300 lighter than that
};

PaneFonts& SharedPaneFonts();
inline HFONT ChatFont() { return SharedPaneFonts().chat; }

// A new chat font from the current icon-title font, or null; Base receives
// the description it was made from.
HFONT CreateChatFont(LOGFONTW& base);
// Keeps NewFont as the chat font and deletes the previous one (call it once
// no pane uses the previous font any more).
void ReplaceChatFont(HFONT newFont);
// Remakes the two list fonts from Base, deleting the previous ones.
void RebuildListFonts(const LOGFONTW& base);
// Deletes the fonts that exist (shutdown).
void DeletePaneFonts();

// The weight of the bold list font for a system font of weight Weight.
int HeavierWeight(int weight);

}  // namespace vellora
