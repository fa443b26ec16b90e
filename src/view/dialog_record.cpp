#include "view/dialog_record.h"

#include "text/rtf_text.h"
#include "view/chat_view.h"

namespace vellora {

Form2::Form2() : Hist(kDialogRingSize, kDialogRtfCapacity) {}

void Form2::InMessage(std::int32_t xType, const std::wstring& xUser, const std::wstring& xMsg,
                      std::int32_t xMsgTime, const Settings& settings) {
    if (!window) return;
    if (xType == kRerenderType) {
        Hist.Rerender(settings, window->Pane());
        return;
    }
    if (xType != kUserLineType && xType != kSystemLineType) return;
    PaneLine line;
    line.Time = xMsgTime;
    if (xType == kUserLineType) line.Prefix = BoldNamePrefix(xUser);
    line.Text = xMsg;
    Hist.Add(std::move(line), settings, window->Pane());
}

Form2* FindDialog(const DialogList& dialogs, const std::wstring& user) {
    for (const std::unique_ptr<Form2>& dialog : dialogs) {
        if (dialog->DlgUser == user) return dialog.get();
    }
    return nullptr;
}

std::wstring GetDlgUserAge(const Form2& dialog) {
    // DlgAge holds a number the program wrote itself; a leading "-" marks the
    // states without an age.
    if (dialog.DlgAge.empty() || dialog.DlgAge[0] == L'-') return dialog.DlgUser;
    return dialog.DlgUser + L" (" + dialog.DlgAge + L")";
}

}  // namespace vellora
