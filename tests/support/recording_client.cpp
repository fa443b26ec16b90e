#include "support/recording_client.h"

#include <algorithm>

namespace vellora::test {

// Status lines reach the chat pane through InMessage with type -1.
void RecordingStatus::ShowChatStatusLine(const std::wstring& line, std::int32_t timeOfDay) {
    chatLines.push_back(line);
    std::wstring msg = line;
    owner_.client.view->InMessage(-1, L"", msg, timeOfDay);
}

void RecordingView::InMessage(std::int32_t xType, const std::wstring& xUserName, std::wstring& xMsg,
                              std::int32_t xMsgTime) {
    lines.push_back({xType, xUserName, xMsg, xMsgTime});
    if (onLine) onLine(lines.back());
}

bool RecordingView::ShowErrorInDialog(const std::wstring& dlgUser, const std::wstring& line, std::int32_t) {
    if (std::find(openDialogs.begin(), openDialogs.end(), dlgUser) == openDialogs.end()) return false;
    dialogErrors.emplace_back(dlgUser, line);
    return true;
}

// The row shows a picture known for the entry's source at once.
RowPicture RecordingPictures::NewEntryPicture(std::size_t index) {
    newEntries.push_back(index);
    RosterEntry& entry = owner_.client.roster.at(index);
    auto known = knownPictures.find(entry.PicStr);
    if (known == knownPictures.end()) return -1;
    entry.Picture = known->second;
    return known->second;
}

bool RecordingViewWindow::AskForText(const std::wstring& prompt, std::wstring& answer, const AnswerCheck& check) {
    // Each refused answer is typed over, as the user would in the open box.
    prompts.push_back(prompt);
    while (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
        std::wstring refusal = check(answer);
        if (refusal.empty()) return true;
        prompts.push_back(refusal);
    }
    return false;
}

RecordingClient::RecordingClient() {
    client.status = &status;
    client.view = &view;
    client.pictures = &pictures;
    client.window = &window;
    client.viewWindow = &viewWindow;
    client.hooks.SongStep = [this] { hooks.push_back("SongStep"); };
    client.hooks.ToasterTick = [this](std::uint32_t ms) { hooks.push_back("ToasterTick " + std::to_string(ms)); };
    client.hooks.GrayIdleUsers = [this] { hooks.push_back("GrayIdleUsers"); };
}

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
