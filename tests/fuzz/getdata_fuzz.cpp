// libFuzzer target: getdata answers, parsed and handled one after another
// against a roster, must never crash or hang, and the user-list rows must
// always name the roster's entries in order, with every picture released
// exactly once when its entry leaves.
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

namespace {

using namespace vellora;
using fuzz::Require;

struct Fakes : StatusTarget, ChatView, UserPictures, MainWindow {
    explicit Fakes(Client& c) : client(c) {}
    Client& client;
    std::vector<std::wstring> rows;
    std::set<PictureHandle> live;
    PictureHandle nextPicture = 1000;

    void ShowLoginError(const std::wstring&) override {}
    void ShowChatStatusLine(const std::wstring&, std::int32_t) override {}
    void ShowErrorToaster(const std::wstring&, std::int32_t) override {}
    void PlayNotificationSound() override {}

    void InMessage(std::int32_t, const std::wstring&, std::wstring&, std::int32_t) override {}
    void SetDialogsMustSpace(bool) override {}
    bool ShowErrorInDialog(const std::wstring&, const std::wstring&, std::int32_t) override { return false; }

    RowPicture NewEntryPicture(std::size_t index) override {
        Require(index < client.roster.size(), "new entry index inside the roster");
        // Every other entry gets a picture at once, as placeholders do.
        if (index % 2 == 0) return -1;
        client.roster[index].Picture = ++nextPicture;
        live.insert(nextPicture);
        return nextPicture;
    }
    bool NextPictureToLoad(std::wstring&) override { return false; }
    bool NextAgeToRetrieve(std::int32_t&) override { return false; }
    void PictureLoaded(const std::wstring&, const std::string&) override {}
    void ProfileLoaded(std::int32_t, const std::string&) override {}
    void ReleasePicture(PictureHandle picture) override {
        Require(live.erase(picture) == 1, "each picture released once, and only one that was handed out");
    }

    void AddUserRow(const std::wstring& name, RowPicture, bool) override { rows.push_back(name); }
    void RemoveUserRow(std::size_t index) override {
        Require(index < rows.size(), "removed row exists");
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
    }
    void SetStatusBarText(const std::wstring&) override {}
    void SwitchToStaffMenus() override {}
    void AddFriendPresentRow(const std::wstring&) override {}
    void ShowFriendsPresent() override {}
    void ShowMainWindow() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Client client;
    Fakes fakes(client);
    client.status = &fakes;
    client.view = &fakes;
    client.pictures = &fakes;
    client.window = &fakes;
    client.session.LoginPhase = false;
    client.session.Disconnected = (data[0] & 1) != 0;
    client.FriendsAtEntryDone = (data[0] & 2) != 0;
    client.settings.GrayOrHilightUsersMode = (data[0] >> 2) & 3;
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
