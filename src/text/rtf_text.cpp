#include "text/rtf_text.h"

#include "text/case.h"

namespace vellora {
namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Length of the rich-text token that starts at Pos: a control word with its
// number and its delimiting blank, a control symbol such as "\{", or one
// character (a brace or plain text).
std::size_t TokenLength(std::wstring_view rtf, std::size_t pos) {
    if (rtf[pos] != L'\\' || pos + 1 >= rtf.size()) return 1;
    std::size_t i = pos + 1;
    if (!IsAsciiLetter(rtf[i])) return 2;
    while (i < rtf.size() && IsAsciiLetter(rtf[i])) ++i;
    if (i + 1 < rtf.size() && rtf[i] == L'-' && IsDigit(rtf[i + 1])) ++i;
    while (i < rtf.size() && IsDigit(rtf[i])) ++i;
    if (i < rtf.size() && rtf[i] == L' ') ++i;
    return i - pos;
}

bool MatchesAt(std::wstring_view rtf, std::size_t pos, std::wstring_view needle, bool ignoreCase) {
    if (rtf.size() - pos < needle.size()) return false;
    for (std::size_t j = 0; j < needle.size(); ++j) {
        wchar_t a = rtf[pos + j];
        wchar_t b = needle[j];
        if (a != b && !(ignoreCase && LowerChar(a) == LowerChar(b))) return false;
    }
    return true;
}

// Wraps the text occurrences of Name in Open ... "}". Matches start only at
// token boundaries; the escaped name then lines up with whole tokens, so no
// control word or escape is ever cut.
std::wstring WrapName(std::wstring_view rtf, std::wstring_view name, std::wstring_view open, bool ignoreCase) {
    if (name.empty()) return std::wstring(rtf);
    const std::wstring needle = EscapeRtf(name);
    std::wstring out;
    out.reserve(rtf.size());
    std::size_t pos = 0;
    while (pos < rtf.size()) {
        if (MatchesAt(rtf, pos, needle, ignoreCase)) {
            out.append(open);
            out.append(rtf.substr(pos, needle.size()));
            out.push_back(L'}');
            pos += needle.size();
        } else {
            std::size_t n = TokenLength(rtf, pos);
            out.append(rtf.substr(pos, n));
            pos += n;
        }
    }
    return out;
}

// The control characters a document may hold: TAB, CR and LF, which rich
// text reads as a tab and as nothing, and the hidden text's placeholder.
bool MayStandInDocument(wchar_t c) { return c >= 32 || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\x01'; }

// Appends Text without the control characters a document must not hold: the
// control stops reading at a 0 byte, which would blank the line and every
// later one. Names and lines come from other users, so this is the one place
// every paragraph goes through.
void AppendDocumentText(std::wstring& out, std::wstring_view text) {
    for (wchar_t c : text) {
        if (MayStandInDocument(c)) out.push_back(c);
    }
}

void AppendTwoDigits(std::wstring& out, std::int32_t value) {
    if (value < 10) out.push_back(L'0');
    out.append(std::to_wstring(value));
}

}  // namespace

std::string_view RtfHeader() { return "{\\rtf1 "; }

std::wstring EscapeRtf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'{' || c == L'}') out.push_back(L'\\');
        out.push_back(c);
    }
    return out;
}

std::wstring BoldNamePrefix(std::wstring_view userName) { return L"{\\b " + EscapeRtf(userName) + L":} "; }

std::wstring UnderlineOwnName(std::wstring_view rtfText, std::wstring_view ownUserName) {
    return WrapName(rtfText, ownUserName, L"{\\ul ", true);
}

std::wstring BoldNameInText(std::wstring_view rtfText, std::wstring_view userName) {
    return WrapName(rtfText, userName, L"{\\b ", false);
}

std::wstring TimeStampPrefix(std::int32_t timeOfDay, bool showTimes) {
    if (!showTimes) return {};
    // Lines without a time keep the column with blanks.
    if (timeOfDay < 0) return std::wstring(8, L' ');
    std::wstring out = L"[";
    AppendTwoDigits(out, timeOfDay / 3600);
    out.push_back(L':');
    AppendTwoDigits(out, timeOfDay % 3600 / 60);
    out.push_back(L':');
    AppendTwoDigits(out, timeOfDay % 60);
    out.append(L"] ");
    return out;
}

std::wstring RtfParagraph(std::int32_t timeOfDay, std::wstring_view prefix, std::wstring_view rtfText,
                          bool showTimes) {
    std::wstring paragraph = L"{\\pard ";
    paragraph.reserve(paragraph.size() + 11 + prefix.size() + rtfText.size() + 5);
    paragraph.append(TimeStampPrefix(timeOfDay, showTimes));
    AppendDocumentText(paragraph, prefix);
    AppendDocumentText(paragraph, rtfText);
    paragraph.append(L"\\par}");
    return paragraph;
}

}  // namespace vellora
