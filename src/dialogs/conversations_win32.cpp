// The conversations facility: making dialog windows, docking and undocking
// them, the docked column, and closing them.
#include <algorithm>

#include "core/frm_main_win32.h"
#include "dialogs/dialog_host_win32.h"
#include "dialogs/dialog_window_win32.h"
#include "dialogs/toolkit_win32.h"
#include "view/dialog_focus.h"
#include "view/user_relations.h"

namespace vellora {

namespace {

WindowId Id(HWND window) { return reinterpret_cast<WindowId>(window); }

bool IsShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

DialogHost::DialogHost(FrmMain& main)
    : main_(main),
      dialogClass_(kDialogWindowClass, kProgramClassStyle, WindowProcOf<&DialogWin::OnMessage>, ButtonFaceBrush()),
      labelClass_(kTabLabelClass, kProgramClassStyle, WindowProcOf<&TabLabel::OnMessage>, nullptr) {}

DialogHost::~DialogHost() {
    // Shutdown closed them all (Form_Unload); any left go with their windows,
    // without a layout of the main window, which is gone by now.
    DialogList& dialogs = Dialogs();
    while (!dialogs.empty()) {
        std::unique_ptr<Form2> last = std::move(dialogs.back());
        dialogs.pop_back();
    }
}

DialogList& DialogHost::Dialogs() const { return main_.client.Dialogs; }
Form2* DialogHost::ByWindow(HWND window) const { return DialogOfWindow(Dialogs(), Id(window)); }
Form2* DialogHost::ByLabel(HWND label) const { return DialogOfLabel(Dialogs(), Id(label)); }
Form2* DialogHost::ByControl(HWND control) const { return DialogOfControl(Dialogs(), Id(control)); }
DialogWin& DialogHost::Win(const Form2& dialog) { return static_cast<DialogWin&>(*dialog.window); }

std::unique_ptr<DialogWindow> DialogHost::CreateDialogWindow(const std::wstring& caption) {
    auto window = std::make_unique<DialogWin>(*this, caption);
    if (!window->Created()) return nullptr;
    return window;
}

void DialogHost::SetToolTips(const DialogWin& win, HWND parent) {
    Notifications* n = main_.GetNotifications();
    for (const std::unique_ptr<Form2>& dialog : Dialogs()) {
        if (dialog->window.get() != &win) continue;
        if (n) n->SetDialogToolTips(parent, win.hwnd(), win.hRich(), win.hInput(), win.hLabel(), dialog->DlgUser);
        return;
    }
}

void DialogHost::RegisterDialogToolTips() {
    for (const std::unique_ptr<Form2>& dialog : Dialogs()) {
        DialogWin& win = Win(*dialog);
        SetToolTips(win, dialog->IsDocked ? main_.h.MainWindow.get() : win.hwnd());
    }
}

// ---------------------------------------------------------------------------
// Docking

void DialogHost::DockDialog(Form2& dialog) {
    Win(dialog).Dock();
    dialog.IsDocked = true;
}

void DialogHost::UndockDialog(Form2& dialog, bool keepHidden) {
    DialogWin& win = Win(dialog);
    if (main_.focus.ActiveTabLabel == win.hLabel()) main_.FocusTo(nullptr);
    win.Undock(keepHidden);
    dialog.IsDocked = false;
}

void DialogHost::DockByHWnd(HWND dialogWindow) {
    Form2* dialog = ByWindow(dialogWindow);
    if (!dialog) return;
    if (!dialog->IsDocked) {
        DockDialog(*dialog);
        HWND input = Win(*dialog).hInput();
        // The main window in front takes the input at once; otherwise the
        // next activation of the main window brings the focus there.
        if (GetForegroundWindow() == main_.h.MainWindow) {
            SetFocus(input);
        } else {
            main_.focus.LastFocus = input;
        }
    }
    main_.RealResize(true);
}

void DialogHost::UndockByLabel(HWND label) {
    Form2* dialog = ByLabel(label);
    if (!dialog) return;
    UndockDialog(*dialog, false);
    DialogWin& win = Win(*dialog);
    ShowWindow(win.hwnd(), SW_RESTORE);
    ShowWindow(win.hwnd(), SW_SHOW);
    main_.RealResize(true);
    win.FocusInput();
}

void DialogHost::MoveDlg(HWND label, bool moveDown) {
    Form2* dialog = ByLabel(label);
    if (dialog && MoveDialog(Dialogs(), *dialog, moveDown)) main_.RealResize(false);
}

std::vector<bool> DialogHost::DockedFocusFlags() const {
    return vellora::DockedFocusFlags(Dialogs(), Id(main_.focus.LastFocus));
}

void DialogHost::PlaceDocked(const std::vector<DockedPlacement>& places) {
    std::size_t k = 0;
    for (const std::unique_ptr<Form2>& dialog : Dialogs()) {
        if (!dialog->IsDocked || k >= places.size()) continue;
        const DockedPlacement& place = places[k++];
        dialog->DockedPos = place.rect;
        DialogWin& win = Win(*dialog);
        win.ResizeEx(place.rect, place.inputHidden);
        win.UpdateButtons(place.upEnabled, place.downEnabled);
    }
}

void DialogHost::InvalidateDockedPanes() {
    for (const std::unique_ptr<Form2>& dialog : Dialogs()) {
        if (dialog->IsDocked) Win(*dialog).InvalidatePane();
    }
}

void DialogHost::SetPaneFonts(HFONT font) {
    for (const std::unique_ptr<Form2>& dialog : Dialogs()) Win(*dialog).SetPaneFont(font);
}

// ---------------------------------------------------------------------------
// Closing

void DialogHost::CloseDialog(Form2& dialog) {
    DialogWin& win = Win(dialog);
    const bool heldFocus = dialog.IsDocked && win.PartOf(Id(GetFocus())) != DialogPart::None;
    if (win.PartOf(Id(main_.focus.LastFocus)) != DialogPart::None) main_.focus.LastFocus = main_.h.hMainInput;
    if (dialog.IsDocked) UndockDialog(dialog, true);
    const std::wstring user = dialog.DlgUser;
    const bool shift = IsShiftDown();
    // Out of the collection first: nothing the windows hear while they go
    // finds the dialog any more.
    auto at = std::find_if(Dialogs().begin(), Dialogs().end(), [&](const auto& d) { return d.get() == &dialog; });
    std::unique_ptr<Form2> gone = std::move(*at);
    Dialogs().erase(at);
    gone.reset();
    if (shift) AttacheToName(main_.client, user);
    // The focus was in the main window's column and went with the dialog.
    if (heldFocus) main_.SetFocusRestore();
}

void DialogHost::CloseIfAllowed(Form2& dialog) {
    if (!MayClose(dialog)) return;
    const bool wasDocked = dialog.IsDocked;
    CloseDialog(dialog);
    if (wasDocked) main_.RealResize(true);
}

void DialogHost::CloseFormByHWnd(HWND dialogWindow) {
    if (Form2* dialog = ByWindow(dialogWindow)) CloseIfAllowed(*dialog);
}

void DialogHost::CloseFormByChild(HWND control, bool ifDocked) {
    Form2* dialog = ByControl(control);
    if (dialog && dialog->IsDocked == ifDocked) CloseIfAllowed(*dialog);
}

void DialogHost::MaybeClose(HWND control) {
    Form2* dialog = ByControl(control);
    if (dialog && dialog->IsDocked) CloseIfAllowed(*dialog);
}

void DialogHost::CloseAllDialogs() { CloseDialogs(DialogGroup::All); }

void DialogHost::CloseDialogs(DialogGroup group) {
    // From the last to the first, so the collection's order holds for the rest.
    for (std::size_t i = Dialogs().size(); i-- > 0;) {
        if (i < Dialogs().size() && InGroup(main_.client, *Dialogs()[i], group)) CloseDialog(*Dialogs()[i]);
    }
    main_.RealResize(false);
}

std::unique_ptr<Conversations> MakeConversations(FrmMain& main) { return std::make_unique<DialogHost>(main); }

}  // namespace vellora
