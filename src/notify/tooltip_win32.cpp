#include "notify/tooltip_win32.h"

#include <iterator>

#include "dialogs/placement_win32.h"
#include "dialogs/toolkit_win32.h"

namespace vellora {
namespace {

// Topmost tool window; a disabled popup with a border, so the mouse passes
// through it to the window underneath.
constexpr DWORD kTooltipExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
constexpr DWORD kTooltipStyle = WS_POPUP | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER;
constexpr UINT kTooltipClassStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
constexpr UINT_PTR kTooltipTimerId = 1;

using OwnedPen = Owned<GdiObjectTraits<HPEN>>;

WindowId IdOf(HWND window) { return reinterpret_cast<WindowId>(window); }

std::int32_t TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    if (text.empty() || !GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) return 0;
    return size.cx;
}

}  // namespace

void Tooltips::Start() {
    if (window_) return;
    tools_.ForgetCurrent();
    class_ = WindowClass(kTooltipClass, kTooltipClassStyle, WindowProcOf<&Tooltips::OnMessage>,
                         reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INFOBK + 1)));
    window_.reset(CreateWindowExW(kTooltipExStyle, kTooltipClass, L"", kTooltipStyle, 0, 0, 160, 16, nullptr, nullptr,
                                  ProgramInstance(), this));
    // Without its window the facility keeps its tools but shows nothing.
    if (!window_) return;
    SetTimer(window_, kTooltipTimerId, kTooltipStepMs, nullptr);
    Metrics();
}

void Tooltips::Stop() {
    if (window_) KillTimer(window_, kTooltipTimerId);
    tools_.ForgetCurrent();
    window_.reset();
    font_.reset();
    class_.Unregister();
}

LRESULT Tooltips::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTooltipTimerId) Tick();
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (dc && tools_.Shown()) Paint(dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_SYSCOLORCHANGE:
        Metrics();
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

void Tooltips::Tick() {
    POINT mouse{};
    if (!GetCursorPos(&mouse)) return;
    // The window the mouse is on as a click would find it: a picture (a
    // static control) lets the mouse through to the window it lies on, which
    // is the tool that tells whose picture it is.
    HWND under = WindowFromPoint(mouse);
    if (under && !GetParent(under)) {
        POINT inside = mouse;
        ScreenToClient(under, &inside);
        // Over the frame or caption of a top-level window: no tool.
        if (!ChildWindowFromPoint(under, inside)) under = nullptr;
    }
    tools_.Step({IdOf(under), IdOf(GetForegroundWindow()), mouse.x, mouse.y});
}

void Tooltips::Metrics() {
    tools_.SetShowDelay(GetDoubleClickTime());
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        font_.reset(CreateFontIndirectW(&metrics.lfStatusFont));
    }
    HDC dc = GetDC(window_);
    if (!dc) return;
    {
        Selection font(dc, font_);
        SIZE size{};
        static constexpr wchar_t kSample[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890";
        if (GetTextExtentPoint32W(dc, kSample, static_cast<int>(std::size(kSample) - 1), &size)) lineHeight_ = size.cy;
    }
    ReleaseDC(window_, dc);
}

void Tooltips::Layout() {
    HDC dc = GetDC(window_);
    if (!dc) return;
    {
        Selection font(dc, font_);
        drawing_ = LayOutTooltip(tools_.CurrentTitle(), tools_.CurrentTable(), lineHeight_,
                                 [dc](const std::wstring& text) { return TextWidth(dc, text); });
    }
    ReleaseDC(window_, dc);
    RECT frame{0, 0, drawing_.width, drawing_.height};
    AdjustWindowRectEx(&frame, kTooltipStyle, FALSE, kTooltipExStyle);
    const ScreenPlacement at = PlaceNearCursor(frame.right - frame.left, frame.bottom - frame.top);
    // Out of the topmost band and in again: on top of every topmost window.
    SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window_, HWND_TOPMOST, at.left, at.top, at.width, at.height, SWP_NOACTIVATE);
    Repaint();
}

void Tooltips::Show() { ShowWindow(window_, SW_SHOWNOACTIVATE); }

void Tooltips::Hide() { ShowWindow(window_, SW_HIDE); }

void Tooltips::Repaint() {
    // The window's text tells what it shows to programs that read windows
    // (screen readers); it draws no caption.
    const std::wstring& table = tools_.CurrentTable();
    SetWindowTextString(window_, tools_.CurrentTitle() + (table.empty() ? L"" : L"\r" + table));
    InvalidateRect(window_, nullptr, TRUE);
}

void Tooltips::Paint(HDC dc) {
    Selection font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const COLORREF ink = GetSysColor(COLOR_INFOTEXT);
    SetTextColor(dc, ink);
    if (drawing_.ruleY >= 0) {
        OwnedPen pen(CreatePen(PS_SOLID, 1, ink));
        Selection rule(dc, pen);
        MoveToEx(dc, 1, drawing_.ruleY, nullptr);
        LineTo(dc, drawing_.width, drawing_.ruleY);
    }
    // Drawn as plain text: names from the server mean nothing to the
    // drawing (no mnemonics, no format codes).
    for (const TooltipText& t : drawing_.texts) {
        TextOutW(dc, t.x, t.y, t.text.c_str(), static_cast<int>(t.text.size()));
    }
}

void Tooltips::RunCallback(ToolCallback callback, WindowId tool, std::int32_t x, std::int32_t y) {
    if (run_) run_(callback, reinterpret_cast<HWND>(tool), POINT{x, y});
}

}  // namespace vellora
