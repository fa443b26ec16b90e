// The lists dialog until it exists: it never shows, and the input box is
// always cancelled.
#include "view/lists_dialog_win32.h"

namespace vellora {

namespace {

class NoListsDialogWindow : public ListsDialogWindow {
public:
    void ShowListsDialog() override {}
    bool AskForText(const std::wstring&, std::wstring&) override { return false; }
    bool IsListsWindow(HWND) const override { return false; }
};

}  // namespace

std::unique_ptr<ListsDialogWindow> MakeListsDialogWindow(FrmMain&) { return std::make_unique<NoListsDialogWindow>(); }

}  // namespace vellora
