#pragma once
// The tab label ("window bar") of a docked dialog: a child window of the main
// window, of class "StaticTabControlRepos", 16 pixels high, showing the
// user's name and four icons (move up, move down, release, close). Bits 0
// and 1 of its style draw the move-up and move-down arrows disabled.
//
// Pressing the left button over an icon draws it pressed while the button is
// held over it; the click acts where the button is released.

#include <windows.h>

#include "dialogs/handles_win32.h"
#include "view/dialog_column.h"

namespace vellora {

class DialogHost;

inline constexpr DWORD kTabLabelStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
inline constexpr DWORD kUpArrowDisabled = 0x1;
inline constexpr DWORD kDownArrowDisabled = 0x2;

class TabLabel {
public:
    TabLabel() = default;
    TabLabel(const TabLabel&) = delete;
    TabLabel& operator=(const TabLabel&) = delete;
    ~TabLabel() { Destroy(); }

    // Creates the (hidden) label in Parent; false when it could not be made.
    bool Create(DialogHost& host, HWND parent);
    void Destroy();
    HWND hwnd() const { return hwnd_; }

    // The arrows' states (the label repaints when they change).
    void SetArrows(bool upEnabled, bool downEnabled);

    // The class procedure (TabLabelProc).
    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void DrawTabLabel(HDC dc);
    void DrawCell(HDC dc, TabCell cell, bool pressed);
    TabCell CellAt(LPARAM point) const;
    void TrackTabPress(LPARAM point);
    void TabClick(LPARAM point);
    void TabRightClick(LPARAM point);

    DialogHost* host_ = nullptr;
    OwnedWindow hwnd_;
    bool captured_ = false;                // the left button was pressed on this label
    TabCell pressed_ = TabCell::Outside;   // the icon drawn pressed
};

}  // namespace vellora
