#pragma once
// The message panes: RichEdit 2.0 controls whose whole content is replaced
// by streaming a complete RTF document into them.
//
// Streaming a full pane costs a quarter of a second under Wine, and the rich
// text rules re-stream the whole document after every line. Nothing is
// painted between the lines of one poll tick, so while a batch is open
// (BeginPaneBatch ... EndPaneBatch around a tick) each pane keeps only the
// newest document and is streamed once when the batch closes.

#include <windows.h>

#include <string>
#include <string_view>

#include "resources/resource_ids.h"
#include "text/rtf_document.h"

namespace vellora {

inline constexpr int kRichEditControlId = IDC_RICH_PANE;
inline constexpr LPARAM kPaneTextLimit = 0x10000000;

// A child window of class "RichEdit20A" with control id 4097.
HWND CreateRichEdit(DWORD exStyle, const wchar_t* text, DWORD style, int x, int y, int width, int height,
                    HWND parent);

// Streams Document (a complete RTF document, closing brace included) into
// Pane at once, replacing its content, in the chat font; then, with
// ScrollToEnd, puts the caret at the end so the last line shows.
void StreamRtfNow(HWND pane, std::string_view document, bool scrollToEnd);

// Selects the start and then the end of the text: the last line comes into
// view without giving the pane the focus.
void ShowLastLine(HWND pane);

// The pane whose scroll bar the user holds (FrozenPane; null for none): new
// documents do not scroll it.
void SetFrozenPane(HWND pane);

// Streams Document into Pane now, or, inside a batch, when the batch closes.
// The pane scrolls to its end unless it is the frozen pane at that moment.
void StreamPane(HWND pane, std::string document);
void BeginPaneBatch();
void EndPaneBatch();
// Drops what is held back for a pane that is about to be destroyed.
void ForgetPane(HWND pane);

// How many EM_STREAMIN calls were made (for tests and the benchmark).
unsigned long PaneStreamCount();

// A RichEdit control as the place where a line ring shows its document.
class RichEditPane : public RtfPane {
public:
    explicit RichEditPane(HWND control = nullptr) : control_(control) {}
    void Attach(HWND control) { control_ = control; }
    HWND Control() const { return control_; }
    void ShowRtf(std::string_view document) override { StreamPane(control_, std::string(document)); }

private:
    HWND control_;
};

}  // namespace vellora
