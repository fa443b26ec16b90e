#include "view/dialog_focus.h"

namespace vellora {
namespace {

template <class Match>
Form2* FirstDialog(const DialogList& dialogs, WindowId window, Match match) {
    if (window == 0) return nullptr;
    for (const std::unique_ptr<Form2>& dialog : dialogs) {
        if (dialog->window && match(dialog->window->PartOf(window))) return dialog.get();
    }
    return nullptr;
}

bool IsControl(DialogPart part) {
    return part == DialogPart::Label || part == DialogPart::Input || part == DialogPart::Pane;
}

}  // namespace

Form2* DialogOfWindow(const DialogList& dialogs, WindowId window) {
    return FirstDialog(dialogs, window, [](DialogPart p) { return p == DialogPart::Window; });
}

Form2* DialogOfLabel(const DialogList& dialogs, WindowId label) {
    return FirstDialog(dialogs, label, [](DialogPart p) { return p == DialogPart::Label; });
}

Form2* DialogOfControl(const DialogList& dialogs, WindowId control) {
    return FirstDialog(dialogs, control, IsControl);
}

std::vector<bool> DockedFocusFlags(const DialogList& dialogs, WindowId lastFocus) {
    std::vector<bool> flags;
    for (const std::unique_ptr<Form2>& dialog : dialogs) {
        if (!dialog->IsDocked) continue;
        flags.push_back(lastFocus != 0 && dialog->window && IsControl(dialog->window->PartOf(lastFocus)));
    }
    return flags;
}

FocusReturn WhereFocusReturns(const DialogList& dialogs, WindowId lastFocus) {
    if (lastFocus == 0) return {};
    for (const std::unique_ptr<Form2>& dialog : dialogs) {
        if (!dialog->window) continue;
        switch (dialog->window->PartOf(lastFocus)) {
        case DialogPart::Input:
        case DialogPart::Pane:
            return dialog->IsDocked ? FocusReturn{FocusReturn::LastFocus, dialog.get()} : FocusReturn{};
        case DialogPart::Label:
        case DialogPart::Window:
            return dialog->IsDocked ? FocusReturn{FocusReturn::DialogInput, dialog.get()} : FocusReturn{};
        case DialogPart::None:
            break;
        }
    }
    return {};
}

}  // namespace vellora
