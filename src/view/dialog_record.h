#pragma once
// One conversation with one other user (a dialog, Form2): the fields the rest
// of the program reads and writes, the windows it shows in, and its ring of
// the last 256 lines.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/settings.h"
#include "core/main_layout.h"
#include "net/clock.h"
#include "text/line_ring.h"
#include "view/roster.h"
#include "view/view_window.h"

namespace vellora {

struct Form2 {
    std::unique_ptr<DialogWindow> window;

    std::wstring DlgUser;            // the other user; the key dialogs are found by
    std::wstring DlgAge = L"-1";     // the age in years as decimal text, or 0, -1, -2 while unknown
    std::int32_t DlgUserID = 0;
    Tick LastMsgTime = 0;            // last line from the other user; 0 none
    std::wstring FullPictureString;  // picture source the picture loader brings
    bool NeedPic = false;            // the user's picture has still to come
    bool MustSpace = false;          // write the "Reconnected" separator before the next line
    bool IsDocked = false;
    bool HackSend = false;           // the user sent once with Shift although DlgUser was absent
    PictureHandle hBmp = kNoPicture; // the picture the dialog shows (its own copy)
    LayoutRect DockedPos;            // its place in the main window while docked, tab label included

    LineRing Hist;

    Form2();

    // Stores and shows one line: type 1 with the sender in bold, type 2
    // without sender; type -2 draws the pane again; any other type is ignored.
    // xMsg is rich text.
    void InMessage(std::int32_t xType, const std::wstring& xUser, const std::wstring& xMsg, std::int32_t xMsgTime,
                   const Settings& settings);
};

using DialogList = std::vector<std::unique_ptr<Form2>>;

// The first dialog whose DlgUser equals User exactly, or null.
Form2* FindDialog(const DialogList& dialogs, const std::wstring& user);

// The tab label's text: the user, and " (" + age + ")" once the age is known.
std::wstring GetDlgUserAge(const Form2& dialog);

}  // namespace vellora
