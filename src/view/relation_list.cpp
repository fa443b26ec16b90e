#include "view/relation_list.h"

#include "text/case.h"

namespace vellora {

int FindInList(const RelationList& list, std::wstring_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (EqualsNoCase(list[i], name)) return static_cast<int>(i);
    }
    return -1;
}

void ParseList(std::wstring_view value, RelationList& list) {
    std::size_t start = 0;
    while (start <= value.size() && list.size() < kMaxListNames) {
        std::size_t comma = value.find(L',', start);
        std::wstring_view piece =
            value.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start);
        while (!piece.empty() && piece.front() == L' ') piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == L' ') piece.remove_suffix(1);
        if (!piece.empty()) list.emplace_back(piece);
        if (comma == std::wstring_view::npos) break;
        start = comma + 1;
    }
}

std::wstring JoinList(const RelationList& list) {
    std::wstring out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += L',';
        out += list[i];
    }
    return out;
}

}  // namespace vellora
