#pragma once
// A Client wired to recording fakes of the window layer, the chat view and
// the picture layer, for tests that drive the protocol code. The fakes keep
// what they were asked in order, so tests can check both effects and their
// sequence (Log).

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/client.h"
#include "view/view_wiring.h"

namespace vellora::test {

class RecordingClient;

struct ShownLine {
    std::int32_t type;
    std::wstring user;
    std::wstring msg;
    std::int32_t time;
};

class RecordingStatus : public StatusTarget {
public:
    explicit RecordingStatus(RecordingClient& owner) : owner_(owner) {}
    void ShowLoginError(const std::wstring& text) override;
    void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) override;
    void ShowErrorToaster(const std::wstring& line, std::int32_t timeOfDay) override;
    void PlayNotificationSound() override;

    std::vector<std::wstring> loginErrors;
    // Status lines of the chat pane, "*** " included.
    std::vector<std::wstring> chatLines;
    std::vector<std::wstring> toasters;
    int sounds = 0;

private:
    RecordingClient& owner_;
};

class RecordingView : public ChatView {
public:
    explicit RecordingView(RecordingClient& owner) : owner_(owner) {}
    void InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                   std::int32_t xMsgTime) override;
    void SetDialogsMustSpace(bool value) override;
    bool ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t time) override;

    // Every line of the chat pane, status lines (type -1) included.
    std::vector<ShownLine> lines;
    std::vector<bool> dialogsMustSpace;
    // Users whose dialog is open, and the error lines they received.
    std::vector<std::wstring> openDialogs;
    std::vector<std::pair<std::wstring, std::wstring>> dialogErrors;
    // Called for each chat line, as the renderer would (alert sound, kick).
    std::function<void(const ShownLine&)> onLine;

private:
    RecordingClient& owner_;
};

class RecordingPictures : public UserPictures {
public:
    explicit RecordingPictures(RecordingClient& owner) : owner_(owner) {}
    RowPicture NewEntryPicture(std::size_t index) override;
    bool NextPictureToLoad(std::wstring& picUrl) override;
    bool NextAgeToRetrieve(std::int32_t& uid) override;
    void PictureLoaded(const std::wstring& picUrl, const std::string& body) override;
    void PictureFailed(const std::wstring& picUrl) override;
    void ProfileLoaded(std::int32_t uid, const std::string& body) override;
    void ReleasePicture(PictureHandle picture) override;

    // Pictures known at once for a picture source (as placeholders are).
    std::map<std::wstring, PictureHandle> knownPictures;
    // When set, every new entry gets a fresh picture 1001, 1002, ...
    bool pictureForEveryEntry = false;
    PictureHandle lastPicture = 1000;
    // What NextPictureToLoad and NextAgeToRetrieve hand out, first first.
    std::vector<std::wstring> picturesToLoad;
    std::vector<std::int32_t> agesToRetrieve;

    std::vector<std::size_t> newEntries;
    std::vector<std::pair<std::wstring, std::string>> picturesLoaded;
    std::vector<std::pair<std::int32_t, std::string>> profilesLoaded;
    std::vector<PictureHandle> released;

private:
    RecordingClient& owner_;
};

struct UserRow {
    std::wstring name;
    RowPicture picture;
    bool showNormal;
    std::wstring detail = {};
};

class RecordingWindow : public MainWindow {
public:
    explicit RecordingWindow(RecordingClient& owner) : owner_(owner) {}
    void AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) override;
    void RemoveUserRow(std::size_t index) override;
    void SetUserRowNormal(std::size_t index, bool normal) override;
    void SetUserRowPicture(std::size_t index, RowPicture picture) override;
    void SetUserRowDetail(std::size_t index, const std::wstring& text) override;
    int SelectedUserRow() const override { return selectedRow; }
    void SetStatusBarText(const std::wstring& text) override;
    void SwitchToStaffMenus() override;
    void ShowMainWindow() override;

    std::vector<UserRow> rows;
    int selectedRow = -1;
    // Rows drawn again as normal (true) or grayed (false), by index.
    std::vector<std::pair<std::size_t, bool>> rowStateChanges;
    std::vector<std::wstring> statusBar;
    int staffSwitches = 0;
    int mainShown = 0;

private:
    RecordingClient& owner_;
};

// A pane that keeps the last document streamed into it.
class LastDocumentPane : public RtfPane {
public:
    void ShowRtf(std::string_view document) override {
        last = std::string(document);
        ++streams;
    }
    std::string last;
    int streams = 0;
};

class RecordingDialogWindow : public DialogWindow {
public:
    RecordingDialogWindow(RecordingClient& owner, WindowId id, std::wstring caption);
    ~RecordingDialogWindow() override;
    RtfPane& Pane() override { return pane; }
    WindowId Window() const override { return id; }
    void SetCaption(const std::wstring& text) override;
    void Show(bool activate) override;
    void Dock() override;
    void FocusInput() override;
    PictureHandle SetPicture(PictureHandle picture) override;
    void SetIcons(PictureHandle picture) override;
    void RedrawLabel() override;

    WindowId id;
    std::wstring caption;
    LastDocumentPane pane;
    int shown = 0;
    bool activated = false;
    bool docked = false;
    int inputFocused = 0;
    // The pictures handed to SetPicture and SetIcons, in order.
    std::vector<PictureHandle> pictures;
    std::vector<PictureHandle> icons;
    int labelRedraws = 0;

private:
    RecordingClient& owner_;
};

struct ToasterCall {
    std::int32_t kind;
    std::wstring user;
    std::wstring text;
    std::int32_t time;
    PictureHandle picture;
    bool held;
};

class RecordingViewWindow : public ViewWindow {
public:
    explicit RecordingViewWindow(RecordingClient& owner) : owner_(owner) {}
    RtfPane& ChatPane() override { return chatPane; }
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& caption) override;
    void Relayout() override;
    WindowId MainWindowId() const override { return kMain; }
    WindowId ForegroundWindow() const override { return foreground; }
    bool IsMainWindowGroup(WindowId window) const override { return window == kMain || window == kListsWindow; }
    bool IsMinimized(WindowId window) const override { return minimized.count(window) != 0; }
    void RaiseWindow(WindowId window) override;
    void RestoreWindow(WindowId window) override;
    void FlashWindow(WindowId window) override;
    void ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text, std::int32_t timeOfDay,
                     PictureHandle picture, bool held) override;
    bool IsShiftDown() const override { return shift; }
    bool IsCtrlDown() const override { return ctrl; }
    ChatInput ReadChatInput() const override { return chatInput; }
    void WriteChatInput(const ChatInput& input) override { chatInput = input; }
    void ShowListsDialog() override;
    bool AskForText(const std::wstring& prompt, std::wstring& answer) override;
    PictureHandle LoadPlaceholderPicture(const std::wstring& name) override;
    PictureHandle DecodePicture(const std::string& bytes) override;
    PictureHandle CopyPicture(PictureHandle picture, std::int32_t width, std::int32_t height) override;
    RowPicture MakeUserIcon(PictureHandle picture) override;
    void ReleasePicture(PictureHandle picture) override;

    static constexpr WindowId kMain = 1;
    static constexpr WindowId kListsWindow = 2;
    static constexpr WindowId kOtherProgram = 3;

    LastDocumentPane chatPane;
    bool failDialogCreation = false;
    WindowId nextDialogId = 100;
    WindowId foreground = kMain;
    std::set<WindowId> minimized;
    std::vector<WindowId> raised;
    std::vector<WindowId> restored;
    std::vector<WindowId> flashed;
    std::vector<ToasterCall> toasters;
    int relayouts = 0;
    bool shift = false;
    bool ctrl = false;
    ChatInput chatInput;
    int listsShown = 0;
    // Answers of the input box, first first; none left means Cancel.
    std::deque<std::wstring> answers;
    std::vector<std::wstring> prompts;

    // Pictures: which placeholders exist, which bytes do not decode, and
    // which pictures are made and not yet released.
    std::set<std::wstring> placeholders;
    std::set<std::string> undecodable;
    bool failCopies = false;
    int decodes = 0;
    std::string lastDecoded;
    std::set<PictureHandle> live;
    PictureHandle nextPicture = 5000;
    RowPicture nextIcon = 9000;

private:
    RecordingClient& owner_;
};

class RecordingClient {
public:
    RecordingClient();
    ~RecordingClient();
    RecordingClient(const RecordingClient&) = delete;
    RecordingClient& operator=(const RecordingClient&) = delete;

    // In the chat, as after a successful login (windows created).
    void EnterChat();
    // Puts the real chat view, dialog routing and picture logic behind the
    // client in place of the recording view and pictures.
    void UseRealView();
    // The recording window of the open dialog with User, or null.
    RecordingDialogWindow* DialogWindowOf(const std::wstring& user);
    // The texts of a dialog's stored lines, oldest first: prefix + text.
    std::vector<std::wstring> DialogLines(const std::wstring& user) const;
    // The chat pane's stored lines, oldest first: prefix + text.
    std::vector<std::wstring> PaneLines() const;

    // The names of the roster, and of the user-list rows.
    std::vector<std::wstring> RosterNames() const;
    std::vector<std::wstring> RowNames() const;
    // The chat pane's "*** " status lines, without the prefix.
    std::vector<std::wstring> StatusLines() const;

    Client client;
    RecordingStatus status{*this};
    RecordingView view{*this};
    RecordingPictures pictures{*this};
    RecordingWindow window{*this};
    RecordingViewWindow viewWindow{*this};
    std::unique_ptr<ViewLogic> realView;
    // One entry per call into the fakes and hooks, such as "InMessage",
    // "AddUserRow anna", "SongStep", in the order of the calls.
    std::vector<std::string> log;
};

}  // namespace vellora::test
