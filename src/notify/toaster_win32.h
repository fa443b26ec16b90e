#pragma once
// The toaster: one small popup at the top-right (or bottom-right) corner of
// the screen with the latest notification lines and a user's picture. It is
// the dialog of template 1000: created disabled and shown without
// activation, so it never takes the focus and does not react to the mouse.
// Its pane is a rich-text pane like the chat's, fed from a ring of twelve
// lines; it closes twelve seconds after its last line.

#include <windows.h>

#include <cstdint>
#include <string>

#include "config/settings.h"
#include "dialogs/handles_win32.h"
#include "net/clock.h"
#include "notify/toaster_rules.h"
#include "text/line_ring.h"
#include "text/rich_pane_win32.h"

namespace vellora {

class Toaster {
public:
    // ShowTimes decides the lines' time stamps.
    explicit Toaster(const Settings& settings) : settings_(settings) {}
    ~Toaster() { Close(); }
    Toaster(const Toaster&) = delete;
    Toaster& operator=(const Toaster&) = delete;

    // ShowToaster: adds a line of Kind (a ToasterKind; a redraw adds none),
    // creating the window when needed, shows a copy of Picture (null: the
    // picture stays), draws and shows the toaster. While Held only the
    // picture changes and an open toaster is shown again.
    void Show(std::int32_t kind, const std::wstring& user, const std::wstring& text, std::int32_t timeOfDay,
              HBITMAP picture, bool held);
    // ToasterTick: a toaster still within Lifetime is placed again (it moves
    // out of the mouse's way); an older one, and any with Lifetime 0, closes.
    void Tick(std::uint32_t lifetimeMs);

    HWND Window() const { return window_; }

private:
    INT_PTR OnMessage(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Create();
    void SetPicture(HBITMAP picture);
    // Shows Bitmap in the picture control and releases a copy the control
    // may have made of what it showed before.
    void PutPicture(HBITMAP bitmap);
    void Place();
    void PlaceAndShow();
    void Close();

    const Settings& settings_;
    LineRing lines_{kToasterLineCount, kToasterRtfCapacity};  // ToasterLines
    RichEditPane pane_;
    OwnedBitmap picture_;                // ToasterPic: the copy shown now, or none
    HBITMAP defaultPicture_ = nullptr;   // the template's own (DefaultToasterPic), the control's
    HWND pictureControl_ = nullptr;      // hToasterPic
    HWND rich_ = nullptr;                // hToasterRich
    OwnedWindow window_;                 // hToaster
    vellora::Tick lastUpdate_ = 0;       // LastToasterUpdate
    std::int32_t corner_ = kToasterNotPlaced;
};

}  // namespace vellora
