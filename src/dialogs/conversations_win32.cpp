// Conversations until dialog windows exist: the window classes are
// registered, no dialog is ever made, and the main window keeps the focus
// and the whole width.
#include "dialogs/conversations_win32.h"

#include "dialogs/toolkit_win32.h"
#include "dialogs/window_object_win32.h"

namespace vellora {

namespace {

class NoConversations : public Conversations {
public:
    NoConversations()
        : dialogClass_(kDialogWindowClass, kProgramClassStyle, DefWindowProcW, ButtonFaceBrush()),
          labelClass_(kTabLabelClass, kProgramClassStyle, DefWindowProcW, nullptr) {}

    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring&) override { return nullptr; }
    std::vector<bool> DockedFocusFlags() const override { return {}; }
    void PlaceDocked(const std::vector<DockedPlacement>&) override {}
    void InvalidateDockedPanes() override {}
    void SetPaneFonts(HFONT) override {}
    bool FocusChanged(HWND) override { return false; }
    bool RestoreFocus(HWND) override { return false; }
    void RedrawTabLabel(HWND) override {}
    void MaybeClose(HWND) override {}
    void CloseAllDialogs() override {}
    void CloseDialogs(DialogGroup) override {}
    void RegisterDialogToolTips() override {}
    void RaiseDockedDlgTooltip(POINT) override {}
    void MainWindowLeftClick(LPARAM) override {}
    void MainWindowRightClick(LPARAM) override {}

private:
    WindowClass dialogClass_;
    WindowClass labelClass_;
};

}  // namespace

std::unique_ptr<Conversations> MakeConversations(FrmMain&) { return std::make_unique<NoConversations>(); }

}  // namespace vellora
