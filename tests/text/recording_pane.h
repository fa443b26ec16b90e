#pragma once
// A pane that keeps every document it shows, changes applied as a control
// applies them, and ways to read them.

#include <string>
#include <string_view>
#include <vector>

#include "text/codepage.h"
#include "text/line_ring.h"
#include "text/rtf_document.h"
#include "text/rtf_text.h"

namespace vellora::test {

// The paragraphs' bodies of a document ("{\pard " ... "\par}"), in order.
inline std::vector<std::string> Paragraphs(std::string_view document) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while ((pos = document.find("{\\pard ", pos)) != std::string_view::npos) {
        std::size_t end = document.find("\\par}", pos);
        if (end == std::string_view::npos) break;
        out.emplace_back(document.substr(pos + 7, end - pos - 7));
        pos = end + 5;
    }
    return out;
}

inline std::string DocumentOf(const std::vector<std::string>& paragraphs) {
    std::string document = "{\\rtf1 ";
    for (const std::string& p : paragraphs) document += "{\\pard " + p + "\\par}";
    return document + "}";
}

// The whole document of the ring's shown lines, as a full stream shows it.
inline std::string WholeDocument(const LineRing& ring, const Settings& settings) {
    std::string document(RtfHeader());
    for (std::size_t age = 0; age < ring.Count(); ++age) {
        const PaneLine& line = ring.Line(age);
        if (IsLineShown(line, settings))
            document += WideToAnsi(RtfParagraph(line.Time, line.Prefix, line.Text, settings.ShowTimes));
    }
    return document + "}";
}

struct RecordingPane : RtfPane {
    std::vector<std::string> documents;  // what the pane showed after each call
    int changes = 0;
    bool piecemeal = true;  // false: a pane that only takes whole documents

    void ShowRtf(std::string_view document) override { documents.emplace_back(document); }
    bool ChangeRtf(const RtfChange& change) override {
        if (!piecemeal) return false;
        // As the control does it: when nothing old stays, the change is the
        // whole document.
        const std::size_t kept = change.dropped < change.held && !documents.empty() ? change.held : 0;
        std::vector<std::string> shown = kept ? Paragraphs(Last()) : std::vector<std::string>{};
        std::vector<std::string> added = Paragraphs(change.document);
        if (shown.size() != kept || added.size() != change.added) return documents.emplace_back("misfit"), true;
        shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(kept ? change.dropped : 0));
        shown.insert(shown.end(), added.begin(), added.end());
        documents.push_back(DocumentOf(shown));
        return ++changes, true;
    }
    const std::string& Last() const { return documents.back(); }
};

}  // namespace vellora::test
