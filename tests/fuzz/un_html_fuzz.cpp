// UnHtml on arbitrary text: it never grows the text, never invents control
// characters other than TAB and the CR LF of "<br>", and leaves text without
// "&" alone apart from the line breaks.
#include "fuzz/fuzz_input.h"
#include "text/replace_all.h"
#include "text/un_html.h"

namespace {

std::size_t ControlCharacters(const std::wstring& text) {
    std::size_t n = 0;
    for (wchar_t c : text) n += (c < 32 && c != L'\t' && c != L'\r' && c != L'\n') ? 1 : 0;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    const std::wstring text = fuzz::Utf16Units(data, size);
    const std::wstring lines = ReplaceAll(text, L"<br>", L"\r\n");
    for (bool unicode : {true, false}) {
        const std::wstring out = UnHtml(text, unicode);
        Require(out.size() <= lines.size(), "UnHtml made the text longer");
        Require(ControlCharacters(out) == ControlCharacters(text), "UnHtml made or lost a control character");
        if (text.find(L'&') == std::wstring::npos) Require(out == lines, "UnHtml changed text without references");
        Require(UnHtml(text, unicode) == out, "UnHtml is not repeatable");
    }
    const std::wstring field = UnHtmlField(text);
    Require(field.size() <= lines.size(), "UnHtmlField made the text longer");
    return 0;
}
