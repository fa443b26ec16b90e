#pragma once
// Changing a RichEdit pane piecemeal: the paragraphs that dropped off the top
// of its ring are removed, the new ones added at the end, and the pane ends
// up looking exactly as if the whole new document had been streamed into it
// (text, formatting, caret and scroll position). A full pane takes a quarter
// of a second to stream under Wine; a change costs a few milliseconds.

#include <windows.h>

#include "text/rtf_document.h"

namespace vellora {

// Applies Change to Pane; it scrolls to the end unless it is the frozen pane
// at that moment. False when the control does not hold the paragraphs the
// change removes (it was changed behind the ring's back): nothing changed.
bool ChangePane(HWND pane, const RtfChange& change);

}  // namespace vellora
