#pragma once
// The main window's side of what the chat view asks of the windows: its chat
// pane, the foreground and attention calls, the keyboard and the chat input,
// and the picture work. Dialog windows, toasters and the lists dialog are the
// facilities' (see FrmMain); pictures are the main window's picture store.

#include "view/view_window.h"

namespace vellora {

class FrmMain;

class MainViewWindow : public ViewWindow {
public:
    explicit MainViewWindow(FrmMain& main) : main_(main) {}

    RtfPane& ChatPane() override;
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& caption) override;
    void Relayout() override;

    WindowId MainWindowId() const override;
    WindowId ForegroundWindow() const override;
    bool IsMainWindowGroup(WindowId window) const override;
    bool IsMinimized(WindowId window) const override;
    void RaiseWindow(WindowId window) override;
    void RestoreWindow(WindowId window) override;
    void FlashWindow(WindowId window) override;
    void ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text, std::int32_t timeOfDay,
                     PictureHandle picture, bool held) override;

    bool IsShiftDown() const override;
    bool IsCtrlDown() const override;
    ChatInput ReadChatInput() const override;
    void WriteChatInput(const ChatInput& input) override;

    void ShowListsDialog() override;
    bool AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) override;

    PictureHandle LoadPlaceholderPicture(const std::wstring& name) override;
    PictureHandle DecodePicture(const std::string& bytes) override;
    PictureHandle CopyPicture(PictureHandle picture, std::int32_t width, std::int32_t height) override;
    RowPicture MakeUserIcon(PictureHandle picture) override;
    void ReleasePicture(PictureHandle picture) override;

private:
    FrmMain& main_;
};

}  // namespace vellora
