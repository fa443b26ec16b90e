#pragma once
// A Client wired to recording fakes of the window layer, the chat view and
// the picture layer, for tests that drive the protocol code. The fakes keep
// what they were asked in order, so tests can check both effects and their
// sequence (Log).

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/client.h"

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
};

class RecordingWindow : public MainWindow {
public:
    explicit RecordingWindow(RecordingClient& owner) : owner_(owner) {}
    void AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) override;
    void RemoveUserRow(std::size_t index) override;
    void SetStatusBarText(const std::wstring& text) override;
    void SwitchToStaffMenus() override;
    void AddFriendPresentRow(const std::wstring& row) override;
    void ShowFriendsPresent() override;
    void ShowMainWindow() override;

    std::vector<UserRow> rows;
    std::vector<std::wstring> statusBar;
    int staffSwitches = 0;
    std::vector<std::wstring> friendRows;
    int friendsShown = 0;
    int mainShown = 0;

private:
    RecordingClient& owner_;
};

class RecordingClient {
public:
    RecordingClient();
    RecordingClient(const RecordingClient&) = delete;
    RecordingClient& operator=(const RecordingClient&) = delete;

    // In the chat, as after a successful login (windows created).
    void EnterChat();

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
    // One entry per call into the fakes and hooks, such as "InMessage",
    // "AddUserRow anna", "SongStep", in the order of the calls.
    std::vector<std::string> log;
};

}  // namespace vellora::test
