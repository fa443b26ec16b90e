#include "notify/tooltip_layout.h"

#include <algorithm>

namespace vellora {
namespace {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\r', start);
        if (end == std::wstring::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

TooltipDrawing LayOutTooltip(const std::wstring& title, const std::wstring& table, std::int32_t lineHeight,
                             const std::function<std::int32_t(const std::wstring&)>& textWidth) {
    TooltipDrawing d;
    std::int32_t y = 3;
    std::int32_t titleWidth = 0;
    const std::vector<std::wstring> heading = SplitLines(title);
    for (std::size_t i = 0; i < heading.size(); ++i) {
        if (i == 1) {
            d.ruleY = y + 2;
            y += 5;
        }
        d.texts.push_back({5, y, heading[i]});
        titleWidth = std::max(titleWidth, textWidth(heading[i]));
        y += lineHeight;
    }
    std::int32_t width = titleWidth + 5;

    if (!table.empty()) {
        y += 4;
        std::int32_t labelWidth = 0, valueWidth = 0;
        std::vector<std::pair<std::wstring, std::wstring>> rows;
        for (const std::wstring& row : SplitLines(table)) {
            const std::size_t tab = row.find(L'\t');
            std::wstring label = row.substr(0, tab);
            std::wstring value = tab == std::wstring::npos ? std::wstring() : row.substr(tab + 1);
            labelWidth = std::max(labelWidth, textWidth(label));
            valueWidth = std::max(valueWidth, textWidth(value));
            rows.emplace_back(std::move(label), std::move(value));
        }
        d.valueColumnX = labelWidth + kTooltipLabelIndent;
        width = std::max(width, d.valueColumnX + valueWidth);
        for (auto& [label, value] : rows) {
            d.texts.push_back({kTooltipLabelIndent, y, std::move(label)});
            d.texts.push_back({d.valueColumnX, y, std::move(value)});
            y += lineHeight;
        }
    }
    d.width = width + 5;
    d.height = y + 3;
    return d;
}

}  // namespace vellora
