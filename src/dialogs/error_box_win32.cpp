#include "dialogs/error_box_win32.h"

#include <algorithm>

#include "dialogs/toolkit_win32.h"
#include "resources/resource_ids.h"

namespace vellora {

std::unique_ptr<ErrorBox> CreateErrorBox(HWND owner, int maxHeight) {
    RECT window{}, client{};
    if (!GetWindowRect(owner, &window) || !GetClientRect(owner, &client)) return nullptr;
    auto record = std::make_unique<ErrorBox>();
    record->owner = owner;
    record->ownerWidth = window.right - window.left;
    record->ownerHeight = window.bottom - window.top;
    record->ownerClientWidth = client.right;
    record->ownerClientHeight = client.bottom;
    record->maxHeight = maxHeight;
    return record;
}

namespace {

// The height the wrapped text needs in a box as wide as the owner's client
// area, borders included, at most the record's maximum; 0 when it cannot be
// measured.
int NeededHeight(const ErrorBox& r, HFONT font, const std::wstring& text) {
    OwnedMemoryDc dc = CreateMemoryDc();
    if (!dc) return 0;
    Selection withFont(dc, font);
    RECT rc{0, 0, r.ownerClientWidth - r.borderWidth, 16383};
    int h = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_WORDBREAK);
    if (h <= 0) return 0;
    return std::min(h + r.borderHeight, r.maxHeight);
}

void ResizeOwnerBy(const ErrorBox& r, int delta) {
    RECT window{};
    if (!GetWindowRect(r.owner, &window)) return;
    SetWindowPos(r.owner, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + delta,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void SetErrorBoxText(ErrorBox& r, const std::wstring& text) {
    if (text.empty() && !r.box) return;
    if (!r.box) {
        // Not yet visible: it shows once it has its height.
        constexpr DWORD kStyle = WS_CHILD | WS_VSCROLL | ES_READONLY | ES_NOHIDESEL | ES_AUTOVSCROLL | ES_MULTILINE;
        r.box.reset(CreateWindowExW(WS_EX_STATICEDGE, L"EDIT", L"", kStyle, 0, r.ownerClientHeight, 100, 100, r.owner,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ERROR_BOX)), ProgramInstance(),
                                    nullptr));
        if (!r.box) return;
        RECT window{}, client{};
        GetWindowRect(r.box, &window);
        GetClientRect(r.box, &client);
        r.borderWidth = (window.right - window.left) - client.right;
        r.borderHeight = (window.bottom - window.top) - client.bottom;
    }
    auto font = reinterpret_cast<HFONT>(SendMessageW(r.owner, WM_GETFONT, 0, 0));
    SendMessageW(r.box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    int needed = NeededHeight(r, font, text);
    if (needed != r.height && needed != 0) {
        ResizeOwnerBy(r, needed - r.height);
        SetWindowPos(r.box, nullptr, 0, r.ownerClientHeight, r.ownerClientWidth, needed,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        r.height = needed;
    }
    SetWindowTextString(r.box, text);
    ShowWindow(r.box, r.height > 0 ? SW_SHOWNA : SW_HIDE);
}

void DestroyErrorBox(std::unique_ptr<ErrorBox>& record, bool restoreSize) {
    if (!record) return;
    if (record->box && restoreSize) ResizeOwnerBy(*record, -record->height);
    record.reset();
}

}  // namespace vellora
