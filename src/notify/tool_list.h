#pragma once
// The hover help's tools and when its tooltip shows: which window (tool)
// the mouse rests on, whether the tool's window is in front, the wait of the
// hover delay, and what changes while the tooltip shows.
//
// Tools are registered per window, each with the window that must be in
// front for it to count (its parent), a heading, a table and optionally a
// callback that composes the texts while the mouse moves over the tool (the
// user list, the docked column, a dialog window). The facility looks at the
// mouse every 250 ms; the tooltip appears once the mouse has rested on a
// tool for the hover delay and goes when it leaves, when the tool's parent
// leaves the front, while a popup menu is open, or when the tool goes.

#include <cstdint>
#include <string>
#include <vector>

#include "net/clock.h"
#include "view/view_window.h"

namespace vellora {

inline constexpr WindowId kNoTool = -1;

// Which composing callback a tool has; 0 none.
using ToolCallback = std::int32_t;
inline constexpr ToolCallback kNoCallback = 0;
// TooltipAdd: keep the callback the tool has (none for a new tool).
inline constexpr ToolCallback kKeepCallback = -1;

// What TooltipAdd does when the tool being replaced is the current one.
enum TooltipAddMode : std::int32_t {
    kTooltipHide = 0,         // the tooltip goes
    kTooltipKeep = 1,         // nothing changes on screen
    kTooltipRelayout = 2,     // a shown tooltip takes the new texts, size and place
    kTooltipRepaintOnly = 3,  // a shown tooltip takes the new texts in its old frame
};

struct ToolRecord {
    WindowId tool = 0;
    WindowId parent = 0;
    std::wstring title;
    std::wstring table;
    ToolCallback callback = kNoCallback;
};

// The tooltip window and the callbacks, as the facility drives them.
class TooltipWindowOps {
public:
    virtual ~TooltipWindowOps() = default;
    // Sizes and places the window for the current texts (beside the mouse).
    virtual void Layout() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Draws the current texts again.
    virtual void Repaint() = 0;
    // Runs a tool's callback with the mouse position (screen coordinates).
    virtual void RunCallback(ToolCallback callback, WindowId tool, std::int32_t x, std::int32_t y) = 0;
};

// One look at the mouse: the window under it (0 over a frame or nothing of
// ours), the window in front, its position in screen coordinates.
struct HoverState {
    WindowId underMouse = 0;
    WindowId foreground = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class ToolList {
public:
    ToolList(TooltipWindowOps& ops, std::uint32_t showDelayMs) : ops_(ops), showDelay_(showDelayMs) {}

    void SetShowDelay(std::uint32_t ms) { showDelay_ = ms; }
    // Registers Tool (replacing its earlier record); see TooltipAddMode.
    void Add(WindowId parent, WindowId tool, const std::wstring& title, const std::wstring& table,
             ToolCallback callback, std::int32_t mode);
    // Forgets every tool registered under Parent.
    void RemoveOf(WindowId parent);
    // Forgets Tool, whatever it is registered under.
    void Remove(WindowId tool);
    // A popup menu is open: no tooltip until Resume.
    void Suspend();
    void Resume() { enabled_ = true; }
    // No tool is current any more (the facility starts or stops).
    void ForgetCurrent();
    // One step of the 250 ms timer. A step that finds the previous one still
    // running (a callback pumping messages) returns at once.
    void Step(const HoverState& now);

    WindowId CurrentTool() const { return currentTool_; }
    const std::wstring& CurrentTitle() const { return currentTitle_; }
    const std::wstring& CurrentTable() const { return currentTable_; }
    bool Shown() const { return shown_; }
    const std::vector<ToolRecord>& Records() const { return records_; }

private:
    void HideIfShown();
    void ShowNow();
    template <class Match>
    void RemoveIf(Match match);

    TooltipWindowOps& ops_;
    std::uint32_t showDelay_;
    std::vector<ToolRecord> records_;
    WindowId currentTool_ = kNoTool;
    std::wstring currentTitle_;
    std::wstring currentTable_;
    ToolCallback currentCallback_ = kNoCallback;
    WindowId currentForeground_ = 0;
    bool shown_ = false;
    Tick waitStart_ = 0;
    bool enabled_ = true;
    bool busy_ = false;
    bool mouseSeen_ = false;   // a first position has been taken
    bool mouseMoved_ = false;  // the mouse has moved since the facility started
    std::int32_t lastX_ = 0;
    std::int32_t lastY_ = 0;
};

}  // namespace vellora
