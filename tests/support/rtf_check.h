#pragma once
// Checks that a pane document stays inside the client's rich-text dialect:
// "{\rtf1 " first, braces balanced with the outer group closing at the very
// end, no control word but \rtf1 \pard \par \b \ul \i \strike, no
// control symbol but the escapes "\\", "\{" and "\}", and no control byte
// but TAB, CR, LF and the hidden text's placeholder (1). Header-only, so the
// fuzz targets use it as well.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellora::test {

// Empty when Document is well formed; otherwise what is wrong and where.
inline std::string RtfDialectProblem(std::string_view document) {
    static constexpr std::string_view kWords[] = {"rtf1", "pard", "par", "b", "ul", "i", "strike"};
    auto at = [](std::size_t pos) { return " at byte " + std::to_string(pos); };
    if (document.substr(0, 7) != "{\\rtf1 ") return "no header";
    long depth = 0;
    for (std::size_t i = 0; i < document.size(); ++i) {
        char c = document[i];
        if (c >= 0 && c < 32 && c != '\t' && c != '\r' && c != '\n' && c != '\x01') {
            return "control byte " + std::to_string(static_cast<int>(c)) + at(i);
        }
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0) return "unbalanced '}'" + at(i);
            if (depth == 0 && i + 1 != document.size()) return "document closed early" + at(i);
        } else if (c == '\\') {
            if (i + 1 >= document.size()) return "'\\' at the end";
            char next = document[i + 1];
            if (next == '\\' || next == '{' || next == '}') {
                ++i;
                continue;
            }
            std::size_t end = i + 1;
            while (end < document.size() && ((document[end] >= 'a' && document[end] <= 'z') ||
                                             (document[end] >= 'A' && document[end] <= 'Z') ||
                                             (document[end] >= '0' && document[end] <= '9'))) {
                ++end;
            }
            std::string_view word = document.substr(i + 1, end - i - 1);
            bool known = false;
            for (std::string_view w : kWords) known = known || word == w;
            if (!known) return "foreign control '\\" + std::string(word.empty() ? document.substr(i + 1, 1) : word) +
                               "'" + at(i);
            i = end - 1;
        }
    }
    if (depth != 0) return "unclosed group";
    return {};
}

}  // namespace vellora::test
