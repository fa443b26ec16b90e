#include "support/recording_client.h"

#include <algorithm>

namespace vellora::test {
namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

void RecordingStatus::ShowLoginError(const std::wstring& text) {
    owner_.log.push_back("ShowLoginError " + Narrow(text));
    loginErrors.push_back(text);
}

void RecordingStatus::ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) {
    // Status lines reach the chat pane through InMessage with type -1.
    std::wstring msg = line;
    owner_.view.InMessage(-1, L"", msg, timeOfDay);
}

void RecordingStatus::ShowErrorToaster(const std::wstring& line, std::int32_t) {
    owner_.log.push_back("ShowErrorToaster " + Narrow(line));
    toasters.push_back(line);
}

void RecordingStatus::PlayNotificationSound() {
    owner_.log.push_back("PlayNotificationSound");
    ++sounds;
}

void RecordingView::InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                              std::int32_t xMsgTime) {
    owner_.log.push_back("InMessage " + std::to_string(xType) + " " + Narrow(xMsg));
    lines.push_back({xType, xUserName, xMsg, xMsgTime});
    if (onLine) onLine(lines.back());
}

void RecordingView::SetDialogsMustSpace(bool value) {
    owner_.log.push_back(value ? "SetDialogsMustSpace true" : "SetDialogsMustSpace false");
    dialogsMustSpace.push_back(value);
}

bool RecordingView::ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t) {
    if (std::find(openDialogs.begin(), openDialogs.end(), dlgUser) == openDialogs.end()) return false;
    owner_.log.push_back("ShowErrorInDialog " + Narrow(dlgUser));
    dialogErrors.emplace_back(dlgUser, line);
    return true;
}

RowPicture RecordingPictures::NewEntryPicture(std::size_t index) {
    owner_.log.push_back("NewEntryPicture " + std::to_string(index));
    newEntries.push_back(index);
    RosterEntry& entry = owner_.client.roster.at(index);
    if (pictureForEveryEntry) {
        entry.Picture = ++lastPicture;
        return entry.Picture;
    }
    auto known = knownPictures.find(entry.PicStr);
    if (known == knownPictures.end()) return -1;
    entry.Picture = known->second;
    return known->second;  // the row shows it as its icon
}

bool RecordingPictures::NextPictureToLoad(std::wstring& picUrl) {
    if (picturesToLoad.empty()) return false;
    picUrl = picturesToLoad.front();
    picturesToLoad.erase(picturesToLoad.begin());
    return true;
}

bool RecordingPictures::NextAgeToRetrieve(std::int32_t& uid) {
    if (agesToRetrieve.empty()) return false;
    uid = agesToRetrieve.front();
    agesToRetrieve.erase(agesToRetrieve.begin());
    return true;
}

void RecordingPictures::PictureLoaded(const std::wstring& picUrl, const std::string& body) {
    owner_.log.push_back("PictureLoaded " + Narrow(picUrl));
    picturesLoaded.emplace_back(picUrl, body);
}

void RecordingPictures::ProfileLoaded(std::int32_t uid, const std::string& body) {
    owner_.log.push_back("ProfileLoaded " + std::to_string(uid));
    profilesLoaded.emplace_back(uid, body);
}

void RecordingPictures::ReleasePicture(PictureHandle picture) {
    owner_.log.push_back("ReleasePicture " + std::to_string(picture));
    released.push_back(picture);
}

void RecordingWindow::AddUserRow(const std::wstring& name, RowPicture picture, bool showNormal) {
    owner_.log.push_back("AddUserRow " + Narrow(name));
    rows.push_back({name, picture, showNormal});
}

void RecordingWindow::RemoveUserRow(std::size_t index) {
    owner_.log.push_back("RemoveUserRow " + std::to_string(index));
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecordingWindow::SetStatusBarText(const std::wstring& text) {
    owner_.log.push_back("SetStatusBarText " + Narrow(text));
    statusBar.push_back(text);
}

void RecordingWindow::SwitchToStaffMenus() {
    owner_.log.push_back("SwitchToStaffMenus");
    ++staffSwitches;
}

void RecordingWindow::AddFriendPresentRow(const std::wstring& row) {
    owner_.log.push_back("AddFriendPresentRow");
    friendRows.push_back(row);
}

void RecordingWindow::ShowFriendsPresent() {
    owner_.log.push_back("ShowFriendsPresent");
    ++friendsShown;
}

void RecordingWindow::ShowMainWindow() {
    owner_.log.push_back("ShowMainWindow");
    ++mainShown;
}

RecordingClient::RecordingClient() {
    client.status = &status;
    client.view = &view;
    client.pictures = &pictures;
    client.window = &window;
    client.hooks.SongStep = [this] { log.push_back("SongStep"); };
    client.hooks.ToasterTick = [this](std::uint32_t lifetime) {
        log.push_back("ToasterTick " + std::to_string(lifetime));
    };
    client.hooks.GrayIdleUsers = [this] { log.push_back("GrayIdleUsers"); };
}

void RecordingClient::EnterChat() {
    client.session.LoginPhase = false;
    client.session.Disconnected = false;
    client.session.WindowsCreated = true;
}

std::vector<std::wstring> RecordingClient::RosterNames() const {
    std::vector<std::wstring> names;
    for (const RosterEntry& e : client.roster) names.push_back(e.Name);
    return names;
}

std::vector<std::wstring> RecordingClient::RowNames() const {
    std::vector<std::wstring> names;
    for (const UserRow& r : window.rows) names.push_back(r.name);
    return names;
}

std::vector<std::wstring> RecordingClient::StatusLines() const {
    std::vector<std::wstring> out;
    for (const ShownLine& l : view.lines) {
        if (l.type == -1 && l.msg.rfind(L"*** ", 0) == 0) out.push_back(l.msg.substr(4));
    }
    return out;
}

}  // namespace vellora::test
