#pragma once
// A Client wired to recording fakes of the window layer, the chat view and
// the picture layer, for tests that drive the protocol code. The fakes keep
// what they were asked, so tests check the effects.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/client.h"
#include "support/rtf_check.h"
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
    void ShowLoginError(const std::wstring& text) override { loginErrors.push_back(text); }
    void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) override;
    void ShowErrorToaster(const std::wstring& line, std::int32_t) override { toasters.push_back(line); }
    void PlayNotificationSound() override { ++sounds; }

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
    void InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                   std::int32_t xMsgTime) override;
    void SetDialogsMustSpace(bool value) override { dialogsMustSpace.push_back(value); }
    bool ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t time) override;

    // Every line of the chat pane, status lines (type -1) included.
    std::vector<ShownLine> lines;
    std::vector<bool> dialogsMustSpace;
    // Users whose dialog is open, and the error lines they received.
    std::vector<std::wstring> openDialogs;
    std::vector<std::pair<std::wstring, std::wstring>> dialogErrors;
    // Called for each chat line, as the renderer would (alert sound, kick).
    std::function<void(const ShownLine&)> onLine;
};

class RecordingPictures : public UserPictures {
public:
    explicit RecordingPictures(RecordingClient& owner) : owner_(owner) {}
    RowPicture NewEntryPicture(std::size_t index) override;
    bool NextPictureToLoad(std::wstring& picUrl) override { return Take(picturesToLoad, picUrl); }
    bool NextAgeToRetrieve(std::int32_t& uid) override { return Take(agesToRetrieve, uid); }
    void PictureLoaded(const std::wstring& picUrl, const std::string& body) override {
        picturesLoaded.emplace_back(picUrl, body);
    }
    void PictureFailed(const std::wstring&) override {}
    void ProfileLoaded(std::int32_t, const std::string&) override {}
    void ReleasePicture(PictureHandle picture) override { released.push_back(picture); }

    // Pictures known at once for a picture source (as placeholders are).
    std::map<std::wstring, PictureHandle> knownPictures;
    // What NextPictureToLoad and NextAgeToRetrieve hand out, first first.
    std::deque<std::wstring> picturesToLoad;
    std::deque<std::int32_t> agesToRetrieve;

    std::vector<std::size_t> newEntries;
    std::vector<std::pair<std::wstring, std::string>> picturesLoaded;
    std::vector<PictureHandle> released;

private:
    template <typename T>
    static bool Take(std::deque<T>& queue, T& out) {
        if (queue.empty()) return false;
        out = queue.front();
        queue.pop_front();
        return true;
    }
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
    void AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) override {
        rows.push_back({name, picture, showNormal});
    }
    void RemoveUserRow(std::size_t index) override {
        rows.at(index);  // a row that does not exist throws
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void SetUserRowNormal(std::size_t index, bool normal) override {
        rows.at(index).showNormal = normal;
        rowStateChanges.emplace_back(index, normal);
    }
    void SetUserRowPicture(std::size_t index, RowPicture picture) override { rows.at(index).picture = picture; }
    void SetUserRowDetail(std::size_t index, const std::wstring& text) override { rows.at(index).detail = text; }
    int SelectedUserRow() const override { return selectedRow; }
    void SetStatusBarText(const std::wstring& text) override { statusBar.push_back(text); }
    void SwitchToStaffMenus() override { ++staffSwitches; }
    void ShowMainWindow() override { ++mainShown; }

    std::vector<UserRow> rows;
    int selectedRow = -1;
    // Rows drawn again as normal (true) or grayed (false), by index.
    std::vector<std::pair<std::size_t, bool>> rowStateChanges;
    std::vector<std::wstring> statusBar;
    int staffSwitches = 0;
    int mainShown = 0;
};

// A pane that keeps the last document streamed into it, and the first way
// in which a document left the client's rich-text dialect.
class LastDocumentPane : public RtfPane {
public:
    void ShowRtf(std::string_view document) override {
        last = std::string(document);
        ++streams;
        if (dialectProblem.empty()) dialectProblem = RtfDialectProblem(document);
    }
    std::string last;
    int streams = 0;
    std::string dialectProblem;
};

class RecordingDialogWindow : public DialogWindow {
public:
    RecordingDialogWindow(WindowId windowId, std::wstring text) : id(windowId), caption(std::move(text)) {}
    RtfPane& Pane() override { return pane; }
    WindowId Window() const override { return id; }
    DialogPart PartOf(WindowId window) const override {
        if (window == id) return DialogPart::Window;
        if (window == Label()) return DialogPart::Label;
        if (window == Input()) return DialogPart::Input;
        if (window == PaneWindow()) return DialogPart::Pane;
        return DialogPart::None;
    }
    void SetCaption(const std::wstring& text) override { caption = text; }
    void Show(bool activate) override {
        ++shown;
        activated = activate;
    }
    void Dock() override { docked = true; }
    void FocusInput() override { ++inputFocused; }
    // The dialog keeps a copy of its own; the recording stands for it with
    // the picture it was given.
    PictureHandle SetPicture(PictureHandle picture) override {
        pictures.push_back(picture);
        return picture;
    }
    void SetIcons(PictureHandle picture) override { icons.push_back(picture); }
    void RedrawLabel() override { ++labelRedraws; }

    // The dialog's other windows stand at fixed distances from its own.
    WindowId Label() const { return id + 1000; }
    WindowId Input() const { return id + 2000; }
    WindowId PaneWindow() const { return id + 3000; }

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
    RtfPane& ChatPane() override { return chatPane; }
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring& caption) override {
        if (failDialogCreation) return nullptr;
        return std::make_unique<RecordingDialogWindow>(nextDialogId++, caption);
    }
    void Relayout() override { ++relayouts; }
    WindowId MainWindowId() const override { return kMain; }
    WindowId ForegroundWindow() const override { return foreground; }
    bool IsMainWindowGroup(WindowId window) const override { return window == kMain || window == kListsWindow; }
    bool IsMinimized(WindowId window) const override { return minimized.count(window) != 0; }
    void RaiseWindow(WindowId window) override { raised.push_back(window); }
    void RestoreWindow(WindowId window) override {
        restored.push_back(window);
        minimized.erase(window);
    }
    void FlashWindow(WindowId window) override { flashed.push_back(window); }
    void ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text, std::int32_t timeOfDay,
                     PictureHandle picture, bool held) override {
        toasters.push_back({kind, user, text, timeOfDay, picture, held});
    }
    bool IsShiftDown() const override { return shift; }
    bool IsCtrlDown() const override { return ctrl; }
    ChatInput ReadChatInput() const override { return chatInput; }
    void WriteChatInput(const ChatInput& input) override { chatInput = input; }
    void ShowListsDialog() override { ++listsShown; }
    bool AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) override;
    PictureHandle LoadPlaceholderPicture(const std::wstring& name) override {
        return placeholders.count(name) != 0 ? Made() : kNoPicture;
    }
    PictureHandle DecodePicture(const std::string& bytes) override {
        ++decodes;
        lastDecoded = bytes;
        return undecodable.count(bytes) == 0 ? Made() : kNoPicture;
    }
    PictureHandle CopyPicture(PictureHandle picture, std::int32_t, std::int32_t) override {
        return !failCopies && Live(picture) ? Made() : kNoPicture;
    }
    RowPicture MakeUserIcon(PictureHandle picture) override { return Live(picture) ? ++nextIcon : 0; }
    void ReleasePicture(PictureHandle picture) override { strayPictures += live.erase(picture) == 0 ? 1 : 0; }

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
    // Pictures used or released that were not made or were released already.
    int strayPictures = 0;
    PictureHandle nextPicture = 5000;
    RowPicture nextIcon = 9000;

private:
    bool Live(PictureHandle picture) {
        strayPictures += live.count(picture) == 0 ? 1 : 0;
        return live.count(picture) != 0;
    }
    PictureHandle Made() {
        live.insert(++nextPicture);
        return nextPicture;
    }
};

class RecordingClient {
public:
    RecordingClient();
    ~RecordingClient() { client.Dialogs.clear(); }
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
    RecordingView view;
    RecordingPictures pictures{*this};
    RecordingWindow window;
    RecordingViewWindow viewWindow;
    std::unique_ptr<ViewLogic> realView;
    // The poll tick's hooks as they ran: "SongStep", "ToasterTick <ms>",
    // "GrayIdleUsers".
    std::vector<std::string> hooks;
};

}  // namespace vellora::test
