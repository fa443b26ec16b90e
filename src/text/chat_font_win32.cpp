#include "text/chat_font_win32.h"

#include <utility>

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

OwnedFont CreateChatFont(LOGFONTW& base) {
    base = LOGFONTW{};
    if (!SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(base), &base, 0)) return {};
    return OwnedFont(CreateFontIndirectW(&base));
}

void ReplaceChatFont(OwnedFont newFont) { SharedPaneFonts().chat = std::move(newFont); }

void RebuildListFonts(const LOGFONTW& base) {
    PaneFonts& f = SharedPaneFonts();
    const int heavier = HeavierWeight(base.lfWeight);
    LOGFONTW bold = base;
    bold.lfHeight = -11;  // character height
    bold.lfWeight = heavier;
    f.listBold.reset(CreateFontIndirectW(&bold));
    LOGFONTW regular = base;
    regular.lfHeight = 11;  // cell height
    regular.lfWeight = heavier - 300;
    f.listRegular.reset(CreateFontIndirectW(&regular));
}

void DeletePaneFonts() { SharedPaneFonts() = PaneFonts{}; }

}  // namespace vellora
