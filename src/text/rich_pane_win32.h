#pragma once
// The message panes: RichEdit 2.0 controls that show their ring's document,
// streamed whole when its whole look changes and otherwise changed piecemeal
// (text/pane_change_win32.h). Within a poll tick the rings hold their changes
// back until the tick ends (text/pane_batch.h).

#include <windows.h>

#include <string>
#include <string_view>

#include "resources/resource_ids.h"
#include "text/pane_batch.h"
#include "text/pane_change_win32.h"
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

// Streams Rtf into Pane in place of its selection, in the look of the text
// around it.
void StreamRtfIntoSelection(HWND pane, std::string_view rtf);

// Selects the start and then the end of the text: the last line comes into
// view without giving the pane the focus.
void ShowLastLine(HWND pane);

// The pane whose scroll bar the user holds (FrozenPane; null for none): new
// lines do not scroll it.
void SetFrozenPane(HWND pane);
HWND FrozenPane();

// Streams Document into Pane; the pane scrolls to its end unless it is the
// frozen pane at that moment.
void StreamPane(HWND pane, std::string_view document);

// How many EM_STREAMIN calls were made (for tests and the benchmark).
unsigned long PaneStreamCount();

// A RichEdit control as the place where a line ring shows its document.
class RichEditPane : public RtfPane {
public:
    explicit RichEditPane(HWND control = nullptr) : control_(control) {}
    void Attach(HWND control) { control_ = control; }
    HWND Control() const { return control_; }
    void ShowRtf(std::string_view document) override { StreamPane(control_, document); }
    bool ChangeRtf(const RtfChange& change) override { return ChangePane(control_, change); }

private:
    HWND control_;
};

}  // namespace vellora
