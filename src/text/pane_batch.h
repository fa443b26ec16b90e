#pragma once
// Nothing is painted between the lines of one poll tick, so while a batch is
// open (BeginPaneBatch ... EndPaneBatch around a tick) a pane's ring holds
// its changes back and hands its pane one change when the batch closes:
// fifty lines into a full pane cost one append and one removal, not fifty.

namespace vellora {

// What a batch holds back: a pane whose change waits.
class HeldPane {
public:
    // Shows what was held back.
    virtual void ShowHeld() = 0;

protected:
    ~HeldPane() = default;
};

void BeginPaneBatch();
void EndPaneBatch();
bool PaneBatchOpen();

// Pane waits for the end of the open batch (once, however often it asks).
void HoldUntilBatchEnds(HeldPane& pane);
// Pane goes away: nothing is shown for it any more.
void ForgetHeldPane(HeldPane& pane);

}  // namespace vellora
