#pragma once
// The hover help's window: a popup of the class "ExtMultiLineToolTip" with a
// thin border that shows a heading, a rule and a two-column table beside the
// mouse pointer, drawn by the program itself in the system's status-bar font
// and tooltip colours; and the 250 ms timer on it that looks at the mouse.
// The window exists while the facility runs (Start ... Stop); the tools stay
// registered across a stop.

#include <windows.h>

#include <functional>

#include "dialogs/handles_win32.h"
#include "dialogs/window_object_win32.h"
#include "notify/tool_list.h"
#include "notify/tooltip_layout.h"

namespace vellora {

inline constexpr const wchar_t* kTooltipClass = L"ExtMultiLineToolTip";
inline constexpr UINT kTooltipStepMs = 250;

class Tooltips : private TooltipWindowOps {
public:
    // Runs a tool's composing callback (the owner knows the callbacks).
    using CallbackRunner = std::function<void(ToolCallback callback, HWND tool, POINT mouse)>;
    explicit Tooltips(CallbackRunner runCallback) : run_(std::move(runCallback)) {}
    ~Tooltips() override { Stop(); }
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    // TooltipStart and TooltipStop.
    void Start();
    void Stop();
    ToolList& Tools() { return tools_; }
    HWND Window() const { return window_; }

private:
    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // TooltipTick: the window under the mouse and the window in front.
    void Tick();
    // TooltipMetrics: the hover delay, the font and the line height.
    void Metrics();
    void Paint(HDC dc);

    // TooltipWindowOps
    void Layout() override;
    void Show() override;
    void Hide() override;
    void Repaint() override;
    void RunCallback(ToolCallback callback, WindowId tool, std::int32_t x, std::int32_t y) override;

    CallbackRunner run_;
    ToolList tools_{*this, GetDoubleClickTime()};
    TooltipDrawing drawing_;
    int lineHeight_ = 16;
    WindowClass class_;
    OwnedFont font_;  // TooltipFont
    OwnedWindow window_;  // TooltipWindow
};

}  // namespace vellora
