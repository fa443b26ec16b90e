#include "text/replace_all.h"

#include "text/case.h"

namespace vellora {

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    if (from.empty()) return std::wstring(text);
    std::wstring out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::wstring_view::npos; hit = text.find(from, pos)) {
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::wstring ReplaceAllNoCase(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    if (from.empty()) return std::wstring(text);
    std::wstring out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.size() - pos >= from.size() && EqualsNoCase(text.substr(pos, from.size()), from)) {
            out.append(to);
            pos += from.size();
        } else {
            out.push_back(text[pos++]);
        }
    }
    return out;
}

}  // namespace vellora
