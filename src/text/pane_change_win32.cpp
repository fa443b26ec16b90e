#include "text/pane_change_win32.h"

#include <richedit.h>

#include <algorithm>
#include <string>

#include "text/rich_pane_win32.h"
#include "text/rtf_text.h"

namespace vellora {
namespace {

// Characters read per paragraph to find the ones that drop off the top.
constexpr std::size_t kParagraphGuess = 256;
constexpr std::size_t kTextChunkMax = 1 << 20;

// The added paragraphs as an insertion at the end of the pane's text. The
// last paragraph mark of a streamed document is the control's own final
// mark, which stays where it is: so the insertion opens with the mark that
// ends the pane's last paragraph, and its own last paragraph goes without.
std::string AsInsertion(std::string_view document) {
    std::string rtf(document);
    std::size_t lastMark = rtf.rfind("\\par}");
    if (lastMark == std::string::npos) return {};
    rtf.erase(lastMark, 4);
    rtf.insert(RtfHeader().size(), "\\par ");
    return rtf;
}

// The position just behind the Count-th paragraph mark, or -1. Only the top
// of the text is read: as much as such paragraphs usually take, more if
// they are longer.
LONG AfterParagraphs(HWND pane, std::size_t count) {
    GETTEXTLENGTHEX how{GTL_DEFAULT, 1200};
    const LONG length = static_cast<LONG>(SendMessageW(pane, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
    for (LONG wanted = static_cast<LONG>(std::min<std::size_t>(count * kParagraphGuess, kTextChunkMax));;
         wanted *= 2) {
        const LONG take = std::min(wanted, length);
        std::wstring top(static_cast<std::size_t>(take) + 1, L'\0');
        // The panes are ANSI windows: ask for UTF-16 explicitly.
        GETTEXTEX get{};
        get.cb = static_cast<DWORD>(top.size() * sizeof(wchar_t));
        get.flags = GT_DEFAULT;
        get.codepage = 1200;
        LONG got = static_cast<LONG>(
            SendMessageW(pane, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(top.data())));
        std::size_t found = 0;
        for (LONG i = 0; i < got; ++i) {
            if (top[static_cast<std::size_t>(i)] == L'\r' && ++found == count) return i + 1;
        }
        if (take >= length || got <= 0) return -1;
    }
}

void AppendParagraphs(HWND pane, std::string_view document) {
    SendMessageW(pane, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    // Text inserted at the end takes the look of the last character (bold,
    // underlined, ...); in a whole document it starts from the pane's
    // default look.
    CHARFORMAT2W plain{};
    plain.cbSize = sizeof(plain);
    SendMessageW(pane, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
    SendMessageW(pane, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&plain));
    StreamRtfIntoSelection(pane, AsInsertion(document));
}

}  // namespace

bool ChangePane(HWND pane, const RtfChange& change) {
    if (!pane) return true;  // no control (any more) to show anything in
    const bool scrollToEnd = pane != FrozenPane();
    // Nothing of the old content stays: the change is the whole document.
    if (change.dropped >= change.held) {
        StreamRtfNow(pane, change.document, scrollToEnd);
        return true;
    }
    // Where the paragraphs that leave end. A control that does not hold them
    // cannot be changed: it is given the whole document.
    const LONG dropEnd = change.dropped > 0 ? AfterParagraphs(pane, change.dropped) : 0;
    if (dropEnd < 0) return false;
    // The caret wanders to the top and back while the text changes: paint
    // only the outcome, once. (Redrawing switched on shows a window, so a
    // hidden pane is left alone; it paints nothing anyway.)
    const bool visible = IsWindowVisible(pane);
    if (visible) SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
    if (change.added > 0) AppendParagraphs(pane, change.document);
    if (dropEnd > 0) {
        SendMessageW(pane, EM_SETSEL, 0, dropEnd);
        SendMessageW(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
    // A streamed document leaves nothing to undo; neither may a change. (An
    // undo limit of 0 would say the same, but Wine's control then keeps every
    // removed paragraph's undo record for good: memory grows with each line.)
    SendMessageW(pane, EM_EMPTYUNDOBUFFER, 0, 0);
    if (scrollToEnd) {
        ShowLastLine(pane);
    } else {
        // Where a streamed document leaves the caret and the view.
        SendMessageW(pane, EM_SETSEL, 0, 0);
        SendMessageW(pane, WM_VSCROLL, SB_TOP, 0);
    }
    if (visible) {
        SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
        // The scroll bar too: it moved while nothing was painted.
        RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    return true;
}

}  // namespace vellora
