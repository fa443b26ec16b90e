#pragma once
// The tooltip's layout: where each text and the rule under the first heading
// line go, and how large the window's client area is, in pixels, from the
// line height and a way to measure a text's width in the tooltip's font.
//
// The heading's lines stand at x 5, the first one set apart by a rule; the
// table follows 4 pixels lower with its labels at x 5 and its values in a
// column right of the widest label.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vellora {

inline constexpr std::int32_t kTooltipLabelIndent = 5;

struct TooltipText {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::wstring text;
    friend bool operator==(const TooltipText&, const TooltipText&) = default;
};

struct TooltipDrawing {
    std::int32_t width = 0;   // client area (TipWidth)
    std::int32_t height = 0;
    std::int32_t valueColumnX = 0;
    std::int32_t ruleY = -1;  // the rule from (1, ruleY) to (width, ruleY); -1 none
    std::vector<TooltipText> texts;
};

// Title: lines separated by "\r" (a last line without one counts too).
// Table: rows separated by "\r", each a label, a tab and a value (a row
// without a tab is a label alone).
TooltipDrawing LayOutTooltip(const std::wstring& title, const std::wstring& table, std::int32_t lineHeight,
                             const std::function<std::int32_t(const std::wstring&)>& textWidth);

}  // namespace vellora
