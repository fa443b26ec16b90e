#include "notify/tool_list.h"

#include <algorithm>

namespace vellora {
namespace {

// Marks a step as running for as long as it runs.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

}  // namespace

void ToolList::HideIfShown() {
    if (!shown_) return;
    shown_ = false;
    ops_.Hide();
}

void ToolList::ForgetCurrent() {
    currentTool_ = kNoTool;
    HideIfShown();
}

void ToolList::ShowNow() {
    // A tool whose callback has found nothing to tell (the main window away
    // from the docked dialogs) would show an empty box: keep waiting.
    if (currentTitle_.empty() && currentTable_.empty()) return;
    shown_ = true;
    ops_.Layout();
    ops_.Show();
}

void ToolList::Add(WindowId parent, WindowId tool, const std::wstring& title, const std::wstring& table,
                   ToolCallback callback, std::int32_t mode) {
    if (tool == 0 || tool == kNoTool) return;
    auto old = std::find_if(records_.rbegin(), records_.rend(), [tool](const ToolRecord& r) { return r.tool == tool; });
    const bool existed = old != records_.rend();
    if (callback == kKeepCallback) callback = existed ? old->callback : kNoCallback;
    if (existed && old->parent == parent && old->title == title && old->table == table && old->callback == callback)
        return;
    if (existed) records_.erase(std::next(old).base());
    records_.push_back({tool, parent, title, table, callback});
    if (!existed || tool != currentTool_) return;

    if (mode == kTooltipHide) {
        ForgetCurrent();
    } else if ((mode == kTooltipRelayout || mode == kTooltipRepaintOnly) && shown_) {
        currentTitle_ = title;
        currentTable_ = table;
        currentCallback_ = callback;
        if (mode == kTooltipRelayout) ops_.Layout();
        ops_.Repaint();
    }
}

template <class Match>
void ToolList::RemoveIf(Match match) {
    bool current = false;
    std::erase_if(records_, [&](const ToolRecord& r) {
        if (!match(r)) return false;
        if (r.tool == currentTool_) current = true;
        return true;
    });
    if (current) ForgetCurrent();
}

void ToolList::RemoveOf(WindowId parent) {
    RemoveIf([parent](const ToolRecord& r) { return r.parent == parent; });
}

void ToolList::Remove(WindowId tool) {
    RemoveIf([tool](const ToolRecord& r) { return r.tool == tool; });
}

void ToolList::Suspend() {
    enabled_ = false;
    if (currentTool_ != kNoTool) ForgetCurrent();
}

void ToolList::Step(const HoverState& now) {
    if (busy_) return;
    BusyScope busy(busy_);

    // The callback may change the texts of the tool under the mouse.
    if (currentCallback_ != kNoCallback && now.underMouse == currentTool_ && now.foreground == currentForeground_) {
        ops_.RunCallback(currentCallback_, currentTool_, now.x, now.y);
    }
    const bool moved = mouseSeen_ && (now.x != lastX_ || now.y != lastY_);
    mouseSeen_ = true;
    lastX_ = now.x;
    lastY_ = now.y;
    if (moved) mouseMoved_ = true;
    // A mouse that has not moved since the start is not pointing at anything.
    if (!mouseMoved_) return;
    if (!enabled_) {
        if (currentTool_ != kNoTool) ForgetCurrent();
        return;
    }

    // A tool counts only while its parent is the window in front.
    WindowId found = kNoTool;
    auto record = std::find_if(records_.begin(), records_.end(),
                               [&](const ToolRecord& r) { return r.tool == now.underMouse; });
    if (record != records_.end() && record->parent == now.foreground) {
        currentTitle_ = record->title;
        currentTable_ = record->table;
        currentCallback_ = record->callback;
        currentForeground_ = now.foreground;
        found = record->tool;
    }

    if (found != currentTool_) {
        currentTool_ = found;
        HideIfShown();
        if (found == kNoTool) return;
        waitStart_ = TickNow();
        if (showDelay_ == 0) ShowNow();
    } else if (found == kNoTool) {
        return;
    } else if (shown_) {
        // Without a delay the tooltip follows the mouse.
        if (moved && showDelay_ == 0) ops_.Layout();
    } else if (moved) {
        waitStart_ = TickNow();
    } else if (TickElapsed(waitStart_, showDelay_)) {
        ShowNow();
    }
}

}  // namespace vellora
