#include "text/line_ring.h"

#include <utility>

namespace vellora {

bool IsLineShown(const PaneLine& line, const Settings& settings) {
    return !(line.ShownInDialog && settings.ExcludeDialogMessages);
}

LineRing::LineRing(std::size_t size, std::uint32_t capacity) : slots_(size == 0 ? 1 : size), capacity_(capacity) {}

LineRing::~LineRing() { ForgetHeldPane(*this); }

LineRing::Look LineRing::LookOf(const Settings& settings) {
    return Look{settings.ShowTimes, settings.ExcludeDialogMessages};
}

bool LineRing::Shown(const PaneLine& line) const { return !(line.ShownInDialog && look_.excludeDialogMessages); }

void LineRing::Add(PaneLine line, const Settings& settings, RtfPane& pane) {
    look_ = LookOf(settings);
    if (count_ < slots_.size()) {
        slots_[count_] = std::move(line);
        if (Shown(slots_[count_])) {
            started_ = true;
            AddToPane(slots_[count_]);
        }
        ++count_;
    } else {
        DropOldestFromPane();
        slots_[head_] = std::move(line);
        if (Shown(slots_[head_])) AddToPane(slots_[head_]);
        head_ = (head_ + 1) % slots_.size();
    }
    // Up to the first shown line nothing has been shown, and nothing is.
    if (started_ || count_ == slots_.size()) Show(pane);
}

void LineRing::Rerender(const Settings& settings, RtfPane& pane) {
    look_ = LookOf(settings);
    started_ = true;
    whole_ = true;
    Show(pane);
}

void LineRing::Clear() {
    for (PaneLine& line : slots_) line = PaneLine{};
    count_ = 0;
    head_ = 0;
    started_ = false;
    // Whatever the pane shows now goes with the next line it is shown.
    whole_ = true;
}

const PaneLine& LineRing::Line(std::size_t age) const {
    std::size_t first = count_ == slots_.size() ? head_ : 0;
    return slots_[(first + age) % slots_.size()];
}

// The oldest line of a full ring is about to be overwritten. In a pane whose
// paragraphs all have today's look it is the top paragraph, if shown; a pane
// drawn in another look is drawn again in today's, as a rebuild from the
// full ring always was.
void LineRing::DropOldestFromPane() {
    if (whole_) return;
    if (looksMixed_ || !(paneLook_ == look_)) {
        whole_ = true;
    } else if (Shown(slots_[head_])) {
        // Beyond what the pane holds, the line came in after it was last
        // shown and never reached it: simplest to show the whole document.
        if (dropped_ < held_) {
            ++dropped_;
        } else {
            whole_ = true;
        }
    }
}

void LineRing::AddToPane(const PaneLine& line) {
    if (whole_) return;
    if (held_ - dropped_ + added_ == 0) {
        paneLook_ = look_;
        looksMixed_ = false;
    } else if (!(paneLook_ == look_)) {
        looksMixed_ = true;
    }
    if (!doc_.bytes) RtfBufferReset(doc_, capacity_);
    RtfAppendLine(doc_, line.Time, line.Prefix, line.Text, look_.showTimes);
    // Without a buffer (it could not grow) the change is lost: the next show
    // rebuilds the whole document instead.
    if (!doc_.bytes) whole_ = true;
    ++added_;
}

void LineRing::Show(RtfPane& pane) {
    pane_ = &pane;
    waiting_ = true;
    if (PaneBatchOpen()) {
        HoldUntilBatchEnds(*this);
    } else {
        ShowHeld();
    }
}

void LineRing::ShowHeld() {
    if (!waiting_ || !pane_) return;
    waiting_ = false;
    if (!whole_ && !doc_.bytes) RtfBufferReset(doc_, capacity_);  // nothing added yet
    if (!whole_ && doc_.bytes) {
        doc_.bytes[doc_.length] = '}';
        RtfChange change{held_, dropped_, added_, std::string_view(doc_.bytes.get(), doc_.length + std::size_t{1})};
        if (pane_->ChangeRtf(change)) {
            held_ = held_ - dropped_ + added_;
            dropped_ = 0;
            added_ = 0;
            RtfBufferReset(doc_, capacity_);
            return;
        }
    }
    // A pane that cannot change piecemeal is given the whole document, as
    // is every pane when the whole look changed. Without memory for it the
    // pane keeps what it shows until the next try.
    if (!ShowWholeDocument()) whole_ = true;
}

bool LineRing::ShowWholeDocument() {
    RtfBufferReset(doc_, capacity_);
    std::size_t shown = 0;
    for (std::size_t age = 0; age < count_ && doc_.bytes; ++age) {
        const PaneLine& line = Line(age);
        if (!Shown(line)) continue;
        RtfAppendLine(doc_, line.Time, line.Prefix, line.Text, look_.showTimes);
        ++shown;
    }
    if (!doc_.bytes) return false;
    RtfStreamIn(doc_, *pane_);
    held_ = shown;
    paneLook_ = look_;
    looksMixed_ = false;
    whole_ = false;
    dropped_ = 0;
    added_ = 0;
    RtfBufferReset(doc_, capacity_);
    return true;
}

}  // namespace vellora
