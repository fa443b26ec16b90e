// libFuzzer target: getdata answers, parsed and handled one after another by
// the real chat view (lines, dialog routing, pictures) against a roster, must
// never crash or hang; the user-list rows must always name the roster's
// entries in order, every picture must be released exactly once when its
// entry leaves, and every document streamed into a pane must stay inside the
// client's rich-text dialect, without a control byte it must not hold.
//
// Input: one byte of settings, then answers separated by a NUL byte.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "chat/getdata_answer.h"
#include "chat/getdata_parser.h"
#include "core/client.h"
#include "fuzz/fuzz_input.h"
#include "support/rtf_check.h"
#include "text/codepage.h"
#include "text/rtf_text.h"
#include "view/view_wiring.h"

namespace {

using namespace vellora;
using fuzz::Require;

struct CheckedPane : RtfPane {
    void ShowRtf(std::string_view document) override {
        Require(test::RtfDialectProblem(document).empty(), "pane documents stay inside the dialect");
    }
};

struct FakeDialogWindow : DialogWindow {
    explicit FakeDialogWindow(WindowId window) : id(window) {}
    WindowId id;
    CheckedPane pane;
    RtfPane& Pane() override { return pane; }
    WindowId Window() const override { return id; }
    void SetCaption(const std::wstring&) override {}
    void Show(bool) override {}
    void Dock() override {}
    void FocusInput() override {}
    PictureHandle SetPicture(PictureHandle) override { return 7; }
    void SetIcons(PictureHandle) override {}
    void RedrawLabel() override {}
};

struct Fakes : StatusTarget, MainWindow, ViewWindow {
    explicit Fakes(Client& c) : client(c) {}
    Client& client;
    std::vector<std::wstring> rows;
    std::set<PictureHandle> live;
    PictureHandle nextPicture = 1000;
    WindowId nextWindow = 100;
    WindowId foreground = 1;
    CheckedPane chatPane;

    void ShowLoginError(const std::wstring&) override {}
    void ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) override {
        std::wstring text = line;
        client.view->InMessage(-1, L"", text, timeOfDay);
    }
    void ShowErrorToaster(const std::wstring&, std::int32_t) override {}
    void PlayNotificationSound() override {}

    void AddUserRow(const std::wstring& name, RowPicture, bool) override { rows.push_back(name); }
    void RemoveUserRow(std::size_t index) override {
        Require(index < rows.size(), "removed row exists");
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void SetUserRowNormal(std::size_t index, bool) override { Require(index < rows.size(), "row exists"); }
    void SetUserRowPicture(std::size_t index, RowPicture) override { Require(index < rows.size(), "row exists"); }
    void SetUserRowDetail(std::size_t index, const std::wstring&) override {
        Require(index < rows.size(), "row exists");
    }
    int SelectedUserRow() const override { return -1; }
    void SetStatusBarText(const std::wstring&) override {}
    void SwitchToStaffMenus() override {}
    void ShowMainWindow() override {}

    RtfPane& ChatPane() override { return chatPane; }
    std::unique_ptr<DialogWindow> CreateDialogWindow(const std::wstring&) override {
        return std::make_unique<FakeDialogWindow>(++nextWindow);
    }
    void Relayout() override {}
    WindowId MainWindowId() const override { return 1; }
    WindowId ForegroundWindow() const override { return foreground; }
    bool IsMainWindowGroup(WindowId window) const override { return window == 1; }
    bool IsMinimized(WindowId) const override { return false; }
    void RaiseWindow(WindowId) override {}
    void RestoreWindow(WindowId) override {}
    void FlashWindow(WindowId) override {}
    void ShowToaster(std::int32_t, const std::wstring&, const std::wstring& text, std::int32_t, PictureHandle,
                     bool) override {
        // The toaster's document is built like a pane's.
        Require(test::RtfDialectProblem("{\\rtf1 " + WideToAnsi(RtfParagraph(-1, L"", text, false)) + "}").empty(),
                "toaster lines stay inside the dialect");
    }
    bool IsShiftDown() const override { return false; }
    bool IsCtrlDown() const override { return false; }
    ChatInput ReadChatInput() const override { return {}; }
    void WriteChatInput(const ChatInput&) override {}
    void ShowListsDialog() override {}
    bool AskForText(const std::wstring&, std::wstring&) override { return false; }
    PictureHandle LoadPlaceholderPicture(const std::wstring&) override { return Made(); }
    PictureHandle DecodePicture(const std::string&) override { return Made(); }
    PictureHandle CopyPicture(PictureHandle picture, std::int32_t, std::int32_t) override {
        Require(live.count(picture) == 1, "only live pictures are copied");
        return Made();
    }
    RowPicture MakeUserIcon(PictureHandle) override { return 9; }
    void ReleasePicture(PictureHandle picture) override {
        Require(live.erase(picture) == 1, "each picture released once, and only one that was handed out");
    }

    PictureHandle Made() {
        live.insert(++nextPicture);
        return nextPicture;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Client client;
    Fakes fakes(client);
    ViewLogic logic(client);
    client.status = &fakes;
    client.window = &fakes;
    ConnectView(client, logic, fakes);
    client.session.LoginPhase = false;
    client.session.Disconnected = (data[0] & 1) != 0;
    client.FriendsAtEntryDone = (data[0] & 2) != 0;
    client.settings.GrayOrHilightUsersMode = (data[0] >> 2) & 3;
    client.settings.IdleToaster = (data[0] & 0x10) != 0;
    client.settings.ExcludeDialogMessages = (data[0] & 0x20) != 0;
    client.settings.SingleWindow = (data[0] & 0x40) != 0;
    client.EntryPhaseOver = (data[0] & 0x80) != 0;
    client.ChatBatchSeen = client.EntryPhaseOver;
    if (client.settings.IdleToaster) fakes.foreground = 0;
    client.session.UserName = L"anna";
    client.lists.Friends = {L"ben", L"Anna"};
    client.lists.Banned = {L"carl"};

    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (;;) {
        std::size_t end = rest.find('\0');
        std::string_view body = rest.substr(0, end);
        ParseGetdata(body);
        HandleGetdataAnswer(client, body);

        Require(fakes.rows.size() == client.roster.size(), "one user-list row per roster entry");
        std::set<PictureHandle> held;
        for (std::size_t i = 0; i < client.roster.size(); ++i) {
            Require(fakes.rows[i] == client.roster[i].Name, "row i shows entry i");
            if (HoldsPicture(client.roster[i].Picture)) held.insert(client.roster[i].Picture);
        }
        Require(held == fakes.live, "the pictures held are exactly those not yet released");
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}
