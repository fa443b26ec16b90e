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
    chatLines.push_back(line);
    // Status lines reach the chat pane through InMessage with type -1.
    std::wstring msg = line;
    owner_.client.view->InMessage(-1, L"", msg, timeOfDay);
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

void RecordingPictures::PictureFailed(const std::wstring& picUrl) {
    owner_.log.push_back("PictureFailed " + Narrow(picUrl));
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

void RecordingWindow::SetUserRowNormal(std::size_t index, bool normal) {
    owner_.log.push_back(std::string("SetUserRowNormal ") + std::to_string(index) + (normal ? " normal" : " gray"));
    rows.at(index).showNormal = normal;
    rowStateChanges.emplace_back(index, normal);
}

void RecordingWindow::SetUserRowPicture(std::size_t index, RowPicture picture) {
    owner_.log.push_back("SetUserRowPicture " + std::to_string(index));
    rows.at(index).picture = picture;
}

void RecordingWindow::SetUserRowDetail(std::size_t index, const std::wstring& text) {
    owner_.log.push_back("SetUserRowDetail " + std::to_string(index) + " " + Narrow(text));
    rows.at(index).detail = text;
}

void RecordingWindow::SetStatusBarText(const std::wstring& text) {
    owner_.log.push_back("SetStatusBarText " + Narrow(text));
    statusBar.push_back(text);
}

void RecordingWindow::SwitchToStaffMenus() {
    owner_.log.push_back("SwitchToStaffMenus");
    ++staffSwitches;
}

void RecordingWindow::ShowMainWindow() {
    owner_.log.push_back("ShowMainWindow");
    ++mainShown;
}

RecordingDialogWindow::RecordingDialogWindow(RecordingClient& owner, WindowId windowId, std::wstring text)
    : id(windowId), caption(std::move(text)), owner_(owner) {}

RecordingDialogWindow::~RecordingDialogWindow() { owner_.log.push_back("DestroyDialogWindow " + Narrow(caption)); }

void RecordingDialogWindow::SetCaption(const std::wstring& text) {
    owner_.log.push_back("SetCaption " + Narrow(text));
    caption = text;
}

void RecordingDialogWindow::Show(bool activate) {
    owner_.log.push_back(activate ? "ShowDialog activated" : "ShowDialog");
    ++shown;
    activated = activate;
}

void RecordingDialogWindow::Dock() {
    owner_.log.push_back("Dock");
    docked = true;
}

void RecordingDialogWindow::FocusInput() {
    owner_.log.push_back("FocusInput");
    ++inputFocused;
}

PictureHandle RecordingDialogWindow::SetPicture(PictureHandle picture) {
    owner_.log.push_back("SetPicture " + std::to_string(picture));
    pictures.push_back(picture);
    // The dialog keeps a copy of its own; the recording stands for it with
    // the picture it was given.
    return picture;
}

void RecordingDialogWindow::SetIcons(PictureHandle picture) {
    owner_.log.push_back("SetIcons " + std::to_string(picture));
    icons.push_back(picture);
}

void RecordingDialogWindow::RedrawLabel() {
    owner_.log.push_back("RedrawLabel");
    ++labelRedraws;
}

std::unique_ptr<DialogWindow> RecordingViewWindow::CreateDialogWindow(const std::wstring& caption) {
    owner_.log.push_back("CreateDialogWindow " + Narrow(caption));
    if (failDialogCreation) return nullptr;
    return std::make_unique<RecordingDialogWindow>(owner_, nextDialogId++, caption);
}

void RecordingViewWindow::Relayout() {
    owner_.log.push_back("Relayout");
    ++relayouts;
}

void RecordingViewWindow::RaiseWindow(WindowId window) {
    owner_.log.push_back("RaiseWindow " + std::to_string(window));
    raised.push_back(window);
}

void RecordingViewWindow::RestoreWindow(WindowId window) {
    owner_.log.push_back("RestoreWindow " + std::to_string(window));
    restored.push_back(window);
    minimized.erase(window);
}

void RecordingViewWindow::FlashWindow(WindowId window) {
    owner_.log.push_back("FlashWindow " + std::to_string(window));
    flashed.push_back(window);
}

void RecordingViewWindow::ShowToaster(std::int32_t kind, const std::wstring& user, const std::wstring& text,
                                      std::int32_t timeOfDay, PictureHandle picture, bool held) {
    owner_.log.push_back("ShowToaster " + std::to_string(kind) + " " + Narrow(text) + (held ? " (held)" : ""));
    toasters.push_back({kind, user, text, timeOfDay, picture, held});
}

void RecordingViewWindow::ShowListsDialog() {
    owner_.log.push_back("ShowListsDialog");
    ++listsShown;
}

bool RecordingViewWindow::AskForText(const std::wstring& prompt, std::wstring& answer) {
    prompts.push_back(prompt);
    if (answers.empty()) return false;
    answer = answers.front();
    answers.pop_front();
    return true;
}

PictureHandle RecordingViewWindow::LoadPlaceholderPicture(const std::wstring& name) {
    owner_.log.push_back("LoadPlaceholderPicture " + Narrow(name));
    if (placeholders.count(name) == 0) return kNoPicture;
    live.insert(++nextPicture);
    return nextPicture;
}

PictureHandle RecordingViewWindow::DecodePicture(const std::string& bytes) {
    owner_.log.push_back("DecodePicture");
    ++decodes;
    lastDecoded = bytes;
    if (undecodable.count(bytes) != 0) return kNoPicture;
    live.insert(++nextPicture);
    return nextPicture;
}

PictureHandle RecordingViewWindow::CopyPicture(PictureHandle picture, std::int32_t width, std::int32_t height) {
    owner_.log.push_back("CopyPicture " + std::to_string(picture) + " " + std::to_string(width) + "x" +
                         std::to_string(height));
    if (failCopies || live.count(picture) == 0) return kNoPicture;
    live.insert(++nextPicture);
    return nextPicture;
}

RowPicture RecordingViewWindow::MakeUserIcon(PictureHandle picture) {
    if (live.count(picture) == 0) return 0;
    return ++nextIcon;
}

void RecordingViewWindow::ReleasePicture(PictureHandle picture) {
    owner_.log.push_back("ReleasePicture " + std::to_string(picture));
    live.erase(picture);
}

RecordingClient::RecordingClient() {
    client.status = &status;
    client.view = &view;
    client.pictures = &pictures;
    client.window = &window;
    client.viewWindow = &viewWindow;
    client.hooks.SongStep = [this] { log.push_back("SongStep"); };
    client.hooks.ToasterTick = [this](std::uint32_t lifetime) {
        log.push_back("ToasterTick " + std::to_string(lifetime));
    };
    client.hooks.GrayIdleUsers = [this] { log.push_back("GrayIdleUsers"); };
}

// The dialogs' windows record their end in the log, which must still exist.
RecordingClient::~RecordingClient() { client.Dialogs.clear(); }

void RecordingClient::EnterChat() {
    client.session.LoginPhase = false;
    client.session.Disconnected = false;
    client.session.WindowsCreated = true;
}

void RecordingClient::UseRealView() {
    realView = std::make_unique<ViewLogic>(client);
    ConnectView(client, *realView, viewWindow);
}

RecordingDialogWindow* RecordingClient::DialogWindowOf(const std::wstring& user) {
    Form2* dialog = FindDialog(client.Dialogs, user);
    return dialog ? static_cast<RecordingDialogWindow*>(dialog->window.get()) : nullptr;
}

namespace {

std::vector<std::wstring> RingTexts(const LineRing& ring) {
    std::vector<std::wstring> out;
    for (std::size_t i = 0; i < ring.Count(); ++i) out.push_back(ring.Line(i).Prefix + ring.Line(i).Text);
    return out;
}

}  // namespace

std::vector<std::wstring> RecordingClient::DialogLines(const std::wstring& user) const {
    const Form2* dialog = FindDialog(client.Dialogs, user);
    return dialog ? RingTexts(dialog->Hist) : std::vector<std::wstring>{};
}

std::vector<std::wstring> RecordingClient::PaneLines() const { return RingTexts(client.MainRing); }

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
    for (const std::wstring& line : status.chatLines) {
        if (line.rfind(L"*** ", 0) == 0) out.push_back(line.substr(4));
    }
    return out;
}

}  // namespace vellora::test
