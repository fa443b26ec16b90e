#include "view/attention.h"

namespace vellora {

void RequestToaster(Client& client, std::int32_t kind, const std::wstring& user, const std::wstring& text,
                    std::int32_t timeOfDay, PictureHandle picture) {
    client.viewWindow->ShowToaster(kind, user, text, timeOfDay, picture, client.ToasterHold);
}

void PopUpWindow(Client& client, WindowId window) {
    ViewWindow& w = *client.viewWindow;
    if (w.IsMinimized(window)) {
        w.RestoreWindow(window);
        return;
    }
    w.RaiseWindow(window);
    client.LastAlertTick = TickNow();
}

void FlashAttention(Client& client, WindowId window) {
    client.viewWindow->FlashWindow(window);
    Tick now = TickNow();
    client.LastChatLineTick = now;
    client.LastAlertTick = now;
}

WindowId ShowingWindow(const Client& client, const Form2& dialog) {
    return dialog.IsDocked ? client.viewWindow->MainWindowId() : dialog.window->Window();
}

PictureHandle UserPicture(const Client& client, const std::wstring& name) {
    int index = FindRosterEntry(client.roster, name);
    if (index >= 0) {
        // A failed download (-1) is no picture to hand on.
        PictureHandle picture = client.roster[static_cast<std::size_t>(index)].Picture;
        return HoldsPicture(picture) ? picture : kNoPicture;
    }
    const Form2* dialog = FindDialog(client.Dialogs, name);
    if (dialog && !dialog->NeedPic && dialog->hBmp != kNoPicture) return dialog->hBmp;
    return kNoPicture;
}

void SetDialogIcons(PictureHandle picture, Form2& dialog) {
    if (picture == kNoPicture || !dialog.window) return;
    dialog.window->SetIcons(picture);
}

}  // namespace vellora
