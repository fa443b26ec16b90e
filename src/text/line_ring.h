#pragma once
// The lines of one pane and what its pane shows of them. The pane always
// looks as if it had been given the whole document of the ring's shown
// lines, oldest first, but it is told only what changed: a new line adds
// its paragraph at the end, a line that drops out of a full ring removes
// its paragraph from the top. The whole document is built and shown only
// when the whole look changes (re-render: font, time stamps, the exclusion
// of dialog lines). The main chat pane keeps 1024 lines, a dialog pane 256;
// the toaster uses the same type with its own size.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/settings.h"
#include "text/pane_batch.h"
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

class LineRing : private HeldPane {
public:
    // Size lines (at least 1); Capacity is the document buffer's start size.
    LineRing(std::size_t size, std::uint32_t capacity);
    ~LineRing();
    LineRing(const LineRing&) = delete;
    LineRing& operator=(const LineRing&) = delete;

    // Stores a line and shows the pane the change (inside a pane batch: when
    // the batch closes).
    void Add(PaneLine line, const Settings& settings, RtfPane& pane);

    // Shows the pane the whole document of the stored lines (after ShowTimes
    // or ExcludeDialogMessages changed, or a new font).
    void Rerender(const Settings& settings, RtfPane& pane);

    // Forgets every line; the next line the pane shows replaces its content.
    void Clear();

    std::size_t Size() const { return slots_.size(); }
    std::size_t Count() const { return count_; }
    // The stored lines by age: 0 is the oldest.
    const PaneLine& Line(std::size_t age) const;
    // The paragraphs added since the pane was last shown (only the header
    // once it is shown).
    const RtfDocument& Document() const { return doc_; }

private:
    // What decides how the lines look in the pane.
    struct Look {
        bool showTimes = false;
        bool excludeDialogMessages = false;
        bool operator==(const Look&) const = default;
    };
    static Look LookOf(const Settings& settings);
    bool Shown(const PaneLine& line) const;

    void DropOldestFromPane();
    void AddToPane(const PaneLine& line);
    void Show(RtfPane& pane);
    void ShowHeld() override;
    bool ShowWholeDocument();

    std::vector<PaneLine> slots_;
    std::uint32_t capacity_;
    std::size_t count_ = 0;
    std::size_t head_ = 0;  // once full: the slot of the oldest line
    // A line has been shown since the ring was (re)started: from then on
    // every line shows the pane its change.
    bool started_ = false;

    // The pane and the look of the last call (a held change is shown later).
    RtfPane* pane_ = nullptr;
    Look look_;
    // What the pane shows once the waiting change is applied: how many of
    // its paragraphs it held when last shown, and the look they all have
    // (mixed once lines came in under different looks).
    std::size_t held_ = 0;
    Look paneLook_;
    bool looksMixed_ = false;
    // The change waiting to be shown: paragraphs dropped from the top, and
    // the ones added in doc_; or the whole document.
    bool waiting_ = false;
    bool whole_ = false;
    std::size_t dropped_ = 0;
    std::size_t added_ = 0;
    RtfDocument doc_;
};

}  // namespace vellora
