#pragma once
// A pane that keeps every document streamed into it, and ways to read them.

#include <string>
#include <string_view>
#include <vector>

#include "text/rtf_document.h"

namespace vellora::test {

struct RecordingPane : RtfPane {
    std::vector<std::string> documents;
    void ShowRtf(std::string_view document) override { documents.emplace_back(document); }
    const std::string& Last() const { return documents.back(); }
};

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

}  // namespace vellora::test
