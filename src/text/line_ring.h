#pragma once
// The lines of one pane and its document. Up to Size lines the document grows
// line by line and is shown whole after each line; from then on every new
// line overwrites the oldest one and the document is rebuilt from the ring.
// The main chat pane keeps 1024 lines, a dialog pane 256; the toaster uses
// the same type with its own size.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/settings.h"
#include "text/rtf_document.h"

namespace vellora {

inline constexpr std::size_t kMainRingSize = 1024;
inline constexpr std::size_t kDialogRingSize = 256;

struct PaneLine {
    std::int32_t Time = -1;     // seconds since midnight, or -1 for no time
    std::wstring Prefix;        // rich text: the bold sender, or empty
    std::wstring Text;          // rich text: the escaped, marked-up line
    bool ShownInDialog = false; // main pane: a dialog window got this line too
};

// A line the dialog windows show is left out of the main pane while
// ExcludeDialogMessages is on; it stays in the ring.
bool IsLineShown(const PaneLine& line, const Settings& settings);

class LineRing {
public:
    // Size lines (at least 1); Capacity is the document buffer's start size.
    LineRing(std::size_t size, std::uint32_t capacity);

    // Stores a line and shows the pane's new document.
    void Add(PaneLine line, const Settings& settings, RtfPane& pane);

    // Rebuilds and shows the document from the stored lines (after ShowTimes
    // or ExcludeDialogMessages changed, or a new font).
    void Rerender(const Settings& settings, RtfPane& pane);

    // Forgets every line; the next line starts a new document.
    void Clear();

    std::size_t Size() const { return slots_.size(); }
    std::size_t Count() const { return count_; }
    // The stored lines by age: 0 is the oldest.
    const PaneLine& Line(std::size_t age) const;
    const RtfDocument& Document() const { return doc_; }

private:
    void AppendShown(std::size_t slot, const Settings& settings);
    void RebuildFromFullRing(const Settings& settings, RtfPane& pane);

    std::vector<PaneLine> slots_;
    std::uint32_t capacity_;
    std::size_t count_ = 0;
    std::size_t head_ = 0;  // once full: the slot of the oldest line
    bool started_ = false;  // the document has been reset since the ring was (re)started
    RtfDocument doc_;
};

}  // namespace vellora
