#include "text/line_ring.h"

#include <utility>

namespace vellora {

bool IsLineShown(const PaneLine& line, const Settings& settings) {
    return !(line.ShownInDialog && settings.ExcludeDialogMessages);
}

LineRing::LineRing(std::size_t size, std::uint32_t capacity) : slots_(size == 0 ? 1 : size), capacity_(capacity) {}

void LineRing::Add(PaneLine line, const Settings& settings, RtfPane& pane) {
    if (count_ < slots_.size()) {
        slots_[count_] = std::move(line);
        if (IsLineShown(slots_[count_], settings)) {
            if (!started_) {
                RtfBufferReset(doc_, capacity_);
                started_ = true;
            }
            AppendShown(count_, settings);
        }
        ++count_;
        RtfStreamIn(doc_, pane);
        // From now on each line rebuilds the document from the header.
        if (count_ == slots_.size()) RtfBufferReset(doc_, capacity_);
        return;
    }
    slots_[head_] = std::move(line);
    head_ = (head_ + 1) % slots_.size();
    RebuildFromFullRing(settings, pane);
}

void LineRing::Rerender(const Settings& settings, RtfPane& pane) {
    if (count_ == slots_.size()) {
        RebuildFromFullRing(settings, pane);
        return;
    }
    RtfBufferReset(doc_, capacity_);
    started_ = true;
    for (std::size_t slot = 0; slot < count_; ++slot) AppendShown(slot, settings);
    RtfStreamIn(doc_, pane);
}

void LineRing::Clear() {
    for (PaneLine& line : slots_) line = PaneLine{};
    count_ = 0;
    head_ = 0;
    started_ = false;
}

const PaneLine& LineRing::Line(std::size_t age) const {
    std::size_t first = count_ == slots_.size() ? head_ : 0;
    return slots_[(first + age) % slots_.size()];
}

void LineRing::AppendShown(std::size_t slot, const Settings& settings) {
    const PaneLine& line = slots_[slot];
    if (IsLineShown(line, settings)) RtfAppendLine(doc_, line.Time, line.Prefix, line.Text, settings.ShowTimes);
}

// The buffer holds only the header here: it is reset after every rebuild.
void LineRing::RebuildFromFullRing(const Settings& settings, RtfPane& pane) {
    for (std::size_t i = 0; i < slots_.size(); ++i) AppendShown((head_ + i) % slots_.size(), settings);
    RtfStreamIn(doc_, pane);
    RtfBufferReset(doc_, capacity_);
}

}  // namespace vellora
