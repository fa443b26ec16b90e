#pragma once
// What the chat view asks of the windows: the panes to stream into, the
// dialog windows, the foreground and attention calls, the toaster, the
// keyboard and the chat input line, the lists dialog, and the picture work
// (decoding, copying, icons). Every rule about which line goes where lives in
// the portable view code; the window layer only carries it out. The Win32
// program implements both interfaces; tests record.
//
// Windows and pictures are opaque handles to the portable code: a WindowId
// names a top-level window (0 none); a PictureHandle (view/roster.h) is a
// picture the window layer made and releases when told.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "text/rtf_document.h"
#include "view/roster.h"

namespace vellora {

using WindowId = std::intptr_t;

// What a toaster line is about.
enum ToasterKind : std::int32_t {
    kToasterRedraw = -1,  // no line: draw the toaster again
    kToasterMessage = 1,  // a user's message
    kToasterEvent = 2,    // an event (a friend came, the connection broke)
};

// Which of a dialog's windows a window is: its own top-level window, its tab
// label, its input line or its message pane.
enum class DialogPart { None, Window, Label, Input, Pane };

// The windows of one conversation (a dialog): its own top-level window, its
// message pane, input line, picture and tab label. Destroying the object
// destroys its windows.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // The message pane the dialog's line ring streams its document into.
    virtual RtfPane& Pane() = 0;
    // The dialog's own top-level window (it exists, hidden, while docked too).
    virtual WindowId Window() const = 0;
    // Which of the dialog's windows Window is (None: not one of them).
    virtual DialogPart PartOf(WindowId window) const = 0;
    // Sets the caption of the dialog's own window.
    virtual void SetCaption(const std::wstring& caption) = 0;
    // Shows the undocked window, activated or without taking the activation.
    virtual void Show(bool activate) = 0;
    // Moves the dialog into the main window's docked column: its own window
    // hides, its tab label shows. The caller lays the main window out.
    virtual void Dock() = 0;
    // Puts the keyboard focus into the dialog's input line.
    virtual void FocusInput() = 0;
    // Shows Picture scaled for the dialog; returns the dialog's own copy (0 when
    // none could be made; the previous copy is released either way).
    virtual PictureHandle SetPicture(PictureHandle picture) = 0;
    // Makes the window's small and large icons from Picture.
    virtual void SetIcons(PictureHandle picture) = 0;
    // Paints the tab label again (its text, the user and age, changed).
    virtual void RedrawLabel() = 0;
};

// Why an answer typed into the input box cannot be taken; empty when it can.
using AnswerCheck = std::function<std::wstring(const std::wstring& answer)>;

// The main input line's text and selection, in UTF-16 code units.
struct ChatInput {
    std::wstring Text;
    std::int32_t SelStart = 0;
    std::int32_t SelEnd = 0;
};

class ViewWindow {
public:
    virtual ~ViewWindow() = default;

    // --- panes and dialog windows
    // The main window's chat pane.
    virtual RtfPane& ChatPane() = 0;
    // Creates a dialog's windows (not shown) with Caption; null when the
    // window layer cannot make them.
    virtual std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& caption) = 0;
    // Lays the main window out again and repaints it (after docking).
    virtual void Relayout() = 0;

    // --- foreground and attention
    // The main window.
    virtual WindowId MainWindowId() const = 0;
    // The window the user works in now (any program's), 0 when none.
    virtual WindowId ForegroundWindow() const = 0;
    // True for the main window, the lists dialog while it is loaded and the
    // settings window while it is open: windows that show the chat pane or
    // sit in front of it.
    virtual bool IsMainWindowGroup(WindowId window) const = 0;
    virtual bool IsMinimized(WindowId window) const = 0;
    // Lifts a window above the others without activating it.
    virtual void RaiseWindow(WindowId window) = 0;
    // Restores a minimized window and hands the foreground back to the window
    // that had it.
    virtual void RestoreWindow(WindowId window) = 0;
    // Flashes the window's caption and taskbar button five times.
    virtual void FlashWindow(WindowId window) = 0;
    // A toaster line: Kind 1 a user's message, 2 an event; Text is rich text;
    // Picture 0 for none. While Held another toaster of the same line is on
    // its way: no line is added and no toaster window is created.
    virtual void ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text,
                             std::int32_t timeOfDay, PictureHandle picture, bool held) = 0;

    // --- keyboard and the main input line
    virtual bool IsShiftDown() const = 0;
    virtual bool IsCtrlDown() const = 0;
    virtual ChatInput ReadChatInput() const = 0;
    virtual void WriteChatInput(const ChatInput& input) = 0;

    // --- the lists dialog (friends, ignored users, friends present)
    // Shows the lists dialog as Client::ListsDialog describes it (caption,
    // rows, button captions and states), without owner and without blocking,
    // or brings the open dialog up to date.
    virtual void ShowListsDialog() = 0;
    // The standard input box with Prompt; false on Cancel. While Check
    // refuses the typed text the box stays open and shows the refusal in
    // place of the prompt.
    virtual bool AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) = 0;

    // --- pictures
    // The program's own placeholder picture of that name, 0 when there is none.
    virtual PictureHandle LoadPlaceholderPicture(const std::wstring& name) = 0;
    // A picture decoded from image file bytes (JPEG, GIF, ...), 0 on failure.
    virtual PictureHandle DecodePicture(const std::string& bytes) = 0;
    // A new picture holding the top-left Width x Height pixels, unscaled; 0 on
    // failure.
    virtual PictureHandle CopyPicture(PictureHandle picture, std::int32_t width, std::int32_t height) = 0;
    // The 32 x 32 icon of a user-list row made from a 130 x 156 picture; 0 on
    // failure. The row owns it once set.
    virtual RowPicture MakeUserIcon(PictureHandle picture) = 0;
    // Releases a picture made by the operations above.
    virtual void ReleasePicture(PictureHandle picture) = 0;
};

}  // namespace vellora
