#include "text/chat_font_win32.h"

#include <initializer_list>

namespace vellora {

PaneFonts& SharedPaneFonts() {
    static PaneFonts fonts;
    return fonts;
}

int HeavierWeight(int weight) {
    if (weight >= 500) return 900;
    if (weight >= 300) return weight + 300;
    return 600;
}

HFONT CreateChatFont(LOGFONTW& base) {
    base = LOGFONTW{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(base), &base, 0)) return nullptr;
    return CreateFontIndirectW(&base);
}

void ReplaceChatFont(HFONT newFont) {
    PaneFonts& f = SharedPaneFonts();
    if (f.chat && f.chat != newFont) DeleteObject(f.chat);
    f.chat = newFont;
}

void RebuildListFonts(const LOGFONTW& base) {
    PaneFonts& f = SharedPaneFonts();
    if (f.listBold) DeleteObject(f.listBold);
    if (f.listRegular) DeleteObject(f.listRegular);
    const int heavier = HeavierWeight(base.lfWeight);
    LOGFONTW bold = base;
    bold.lfHeight = -11;  // character height
    bold.lfWeight = heavier;
    f.listBold = CreateFontIndirectW(&bold);
    LOGFONTW regular = base;
    regular.lfHeight = 11;  // cell height
    regular.lfWeight = heavier - 300;
    f.listRegular = CreateFontIndirectW(&regular);
}

void DeletePaneFonts() {
    PaneFonts& f = SharedPaneFonts();
    for (HFONT* font : {&f.chat, &f.listBold, &f.listRegular}) {
        if (*font) DeleteObject(*font);
        *font = nullptr;
    }
}

}  // namespace vellora
