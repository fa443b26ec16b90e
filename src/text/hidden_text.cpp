#include "text/hidden_text.h"

#include "text/codepage.h"
#include "text/codings.h"
#include "text/rtf_text.h"
#include "text/scrambler.h"

namespace vellora {
namespace {

wchar_t NibbleChar(int nibble) { return static_cast<wchar_t>(nibble < 4 ? nibble + 1 : nibble + 11); }

// Reading also takes 5 as the nibble 4.
int NibbleOf(wchar_t c) {
    if (c >= 1 && c <= 5) return static_cast<int>(c) - 1;
    if (c >= 15 && c <= 26) return static_cast<int>(c) - 11;
    return -1;
}

// Plain text appended as the code page shows it.
void AppendThroughCodePage(std::wstring& out, std::wstring_view text) {
    if (!text.empty()) out.append(AnsiToWide(WideToAnsi(text)));
}

class RunRenderer {
public:
    RunRenderer(std::wstring& out, std::wstring_view key, HiddenMode mode) : out_(out), key_(key), mode_(mode) {}

    void AddByte(int value) {
        if (count_ == 0) out_.append(mode_ == HiddenMode::DecodeStrike ? L"{\\i\\strike " : L"{\\i ");
        if (mode_ != HiddenMode::Placeholder) bytes_.push_back(static_cast<char>(value));
        ++count_;
    }

    void Close() {
        if (count_ == 0) return;
        std::wstring text;
        if (mode_ != HiddenMode::Placeholder) text = UnscrambleText(bytes_, key_, kScrambleFlags);
        if (!text.empty()) {
            out_.append(EscapeRtf(text));
        } else if (count_ < 6) {
            out_.append(count_, L'\x01');
        } else {
            out_.append(L"[\x01x" + std::to_wstring(count_) + L"]");
        }
        out_.append(L"  }");
        count_ = 0;
        bytes_.clear();
    }

private:
    std::wstring& out_;
    std::wstring_view key_;
    HiddenMode mode_;
    std::size_t count_ = 0;
    std::string bytes_;
};

}  // namespace

std::wstring NibbleRun(std::string_view block) {
    std::wstring run;
    run.reserve(block.size() * 2);
    for (char c : block) {
        auto b = static_cast<unsigned char>(c);
        run.push_back(NibbleChar(b >> 4));
        run.push_back(NibbleChar(b & 15));
    }
    return run;
}

std::wstring WriteHiddenText(std::wstring_view section, std::wstring_view ownUserName) {
    if (section.empty()) return {};
    // The nibble characters are below 32, which PercentEncodeAll refuses.
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    for (wchar_t c : NibbleRun(ScrambleText(section, ownUserName, kScrambleFlags))) {
        out.push_back(L'%');
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 15]);
    }
    return out;
}

std::wstring EncodeForSend(std::wstring_view text, std::wstring_view ownUserName) {
    std::wstring out;
    // A plain part that does not encode would silently drop words from the
    // middle of the message: refuse the whole message instead.
    auto appendPlain = [&out](std::wstring_view plain) {
        std::wstring encoded = PercentEncodeAll(plain);
        if (encoded.empty() && !plain.empty()) return false;
        out.append(encoded);
        return true;
    };
    std::wstring_view rest = text;
    for (;;) {
        std::size_t open = rest.find(L"<[");
        std::size_t close = rest.find(L"]>");
        if (open == std::wstring_view::npos) {
            if (close != std::wstring_view::npos) return {};
            return appendPlain(rest) ? out : std::wstring();
        }
        if (close == std::wstring_view::npos || close < open) return {};
        if (rest.substr(0, close).find(L"<[", open + 2) != std::wstring_view::npos) return {};
        if (!appendPlain(rest.substr(0, open))) return {};
        out.append(WriteHiddenText(rest.substr(open + 2, close - open - 2), ownUserName));
        rest = rest.substr(close + 2);
    }
}

std::wstring RenderHiddenText(std::wstring_view rtfMessage, std::wstring_view key, HiddenMode mode,
                              std::wstring_view ownUserName) {
    if (mode == HiddenMode::Placeholder && ownUserName == L"Supervisor") mode = HiddenMode::DecodeStrike;
    std::wstring out;
    out.reserve(rtfMessage.size());
    RunRenderer run(out, key, mode);
    std::size_t plainStart = 0;
    std::size_t i = 0;
    while (i < rtfMessage.size()) {
        int hi = NibbleOf(rtfMessage[i]);
        int lo = i + 1 < rtfMessage.size() ? NibbleOf(rtfMessage[i + 1]) : -1;
        if (hi >= 0 && lo >= 0) {
            AppendThroughCodePage(out, rtfMessage.substr(plainStart, i - plainStart));
            run.AddByte(hi * 16 + lo);
            i += 2;
            plainStart = i;
        } else {
            if (plainStart == i) run.Close();
            ++i;
        }
    }
    AppendThroughCodePage(out, rtfMessage.substr(plainStart));
    run.Close();
    return out;
}

}  // namespace vellora
