#include "view/lists_dialog.h"

#include <algorithm>

#include "config/config_file.h"
#include "resources/string_ids.h"
#include "resources/strings.h"
#include "text/case.h"
#include "view/dialog_routing.h"
#include "view/user_relations.h"

namespace vellora {
namespace {

constexpr std::size_t kFriendRowNameWidth = 64;

constexpr std::wstring_view kTeamPrefix = L"club-team: ";

bool IsNameChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

void UpdateButtons(ListsDialogModel& model) {
    model.Command1Enabled = model.Rows.size() < kMaxListNames;
    model.Command2Enabled = !model.Rows.empty();
}

// The first selected row that exists, or null.
const std::wstring* FirstSelected(const Client& client, const std::vector<std::size_t>& selectedRows) {
    const std::vector<std::wstring>& rows = client.ListsDialog.Rows;
    for (std::size_t row : selectedRows) {
        if (row < rows.size()) return &rows[row];
    }
    return nullptr;
}

void OpenDialogWith(Client& client, const std::wstring& row) {
    DialogMessage(client, kOpenDialog, FriendRowName(row), false, L"", FriendRowPicture(row), 0);
}

std::wstring TrimBlanks(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// Why a typed name cannot be added, empty when it can. Only letters and
// digits pass, so no name can carry the comma that separates the stored
// list's names, nor a control character.
std::wstring RefusalOf(const Client& client, const std::wstring& typed) {
    std::wstring name = NormalizedListName(TrimBlanks(typed));
    if (name.empty()) return LoadResString(kStrInvalidName);
    if (name == LowerCase(client.session.UserName)) return LoadResString(kStrCannotAddSelf);
    if (!IsInNoList(client, name)) return LoadResString(kStrAlreadyInList);
    return std::wstring();
}

// Asks for a name; the box stays open with the reason shown until the user
// gives one that may be added, or nothing, or gives up.
void AddTypedName(Client& client) {
    AnswerCheck check = [&client](const std::wstring& typed) {
        return TrimBlanks(typed).empty() ? std::wstring() : RefusalOf(client, typed);
    };
    std::wstring answer;
    if (!client.viewWindow->AskForText(LoadResString(kStrEnterName), answer, check)) return;
    // The poll loop may have turned the dialog to the friends present meanwhile.
    if (client.ListsDialog.ShowOnlineFriends || !client.ListsDialog.ListsDialogOpen) return;
    answer = TrimBlanks(answer);
    if (answer.empty() || !RefusalOf(client, answer).empty()) return;
    // Stored as typed, letter case and team prefix kept.
    client.ListsDialog.Rows.push_back(answer);
    CatchArray(client);
}

void RemoveRows(Client& client, std::vector<std::size_t> selectedRows) {
    std::vector<std::wstring>& rows = client.ListsDialog.Rows;
    std::sort(selectedRows.begin(), selectedRows.end());
    selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
    bool removed = false;
    for (auto it = selectedRows.rbegin(); it != selectedRows.rend(); ++it) {
        if (*it >= rows.size()) continue;
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(*it));
        removed = true;
    }
    if (removed) CatchArray(client);
}

}  // namespace

std::wstring NormalizedListName(const std::wstring& typed) {
    std::wstring name = LowerCase(typed);
    if (name.compare(0, kTeamPrefix.size(), kTeamPrefix) == 0) name.erase(0, kTeamPrefix.size());
    if (name.empty() || !std::all_of(name.begin(), name.end(), IsNameChar)) return std::wstring();
    return name;
}

void OpenListDialog(Client& client, std::int32_t mode) {
    const RelationList* list = ListOfMode(client, mode);
    if (!list) return;
    ListsDialogModel& model = client.ListsDialog;
    model.ListsDialogOpen = true;
    model.ShowOnlineFriends = false;
    model.CaptionId = kStrFriendsList + mode;
    model.Command1CaptionId = kStrAdd;
    model.Command2CaptionId = kStrRemove;
    // Only this list's names, whatever the dialog showed before.
    model.Rows.assign(list->begin(), list->end());
    UpdateButtons(model);
    client.ListsDialogMode = mode;
    client.viewWindow->ShowListsDialog();
}

void ListsDialogCommand1(Client& client, const std::vector<std::size_t>& selectedRows) {
    if (client.ListsDialog.ShowOnlineFriends) {
        if (const std::wstring* row = FirstSelected(client, selectedRows)) OpenDialogWith(client, *row);
        return;
    }
    if (client.ListsDialog.Rows.size() >= kMaxListNames) return;
    AddTypedName(client);
}

void ListsDialogCommand2(Client& client, const std::vector<std::size_t>& selectedRows) {
    if (client.ListsDialog.ShowOnlineFriends) {
        if (const std::wstring* row = FirstSelected(client, selectedRows)) AttacheToName(client, FriendRowName(*row));
        return;
    }
    RemoveRows(client, selectedRows);
}

void ListsDialogDblClick(Client& client, std::size_t row) {
    if (!client.ListsDialog.ShowOnlineFriends || row >= client.ListsDialog.Rows.size()) return;
    std::wstring text = client.ListsDialog.Rows[row];
    if (client.viewWindow->IsShiftDown() || client.viewWindow->IsCtrlDown()) {
        AttacheToName(client, FriendRowName(text));
    } else {
        OpenDialogWith(client, text);
    }
}

void UnloadListsDialog(Client& client) {
    ListsDialogModel& model = client.ListsDialog;
    model.ShowOnlineFriends = false;
    model.ListsDialogOpen = false;
    model.Rows.clear();
}

void CatchArray(Client& client) {
    RelationList* list = ListOfMode(client, client.ListsDialogMode);
    if (!list) return;
    ListsDialogModel& model = client.ListsDialog;
    if (model.Rows.size() > kMaxListNames) model.Rows.resize(kMaxListNames);
    list->assign(model.Rows.begin(), model.Rows.end());
    UpdateButtons(model);
    if (GrayingDependsOn(client.settings.GrayOrHilightUsersMode, client.ListsDialogMode)) UpdateAllUserHilights(client);
    client.viewWindow->ShowListsDialog();
    SaveConfig(client.session, client.settings, client.lists);
}

void AddFriendPresentRow(Client& client, const std::wstring& name, const std::wstring& picStr) {
    std::wstring row = name;
    if (row.size() < kFriendRowNameWidth) row.append(kFriendRowNameWidth - row.size(), L' ');
    client.ListsDialog.PresentRows.push_back(row + picStr);
}

void ShowFriendsPresent(Client& client) {
    ListsDialogModel& model = client.ListsDialog;
    model.ListsDialogOpen = true;
    model.ShowOnlineFriends = true;
    model.CaptionId = kStrFriendsPresent;
    model.Command1CaptionId = kStrDialog;
    model.Command2CaptionId = kStrTalkTo;
    model.Command1Enabled = true;
    model.Command2Enabled = true;
    model.Rows = std::move(model.PresentRows);
    model.PresentRows.clear();
    client.viewWindow->ShowListsDialog();
}

std::wstring FriendRowName(const std::wstring& row) {
    std::wstring name = row.substr(0, kFriendRowNameWidth);
    while (!name.empty() && name.back() == L' ') name.pop_back();
    return name;
}

std::wstring FriendRowPicture(const std::wstring& row) {
    return row.size() > kFriendRowNameWidth ? row.substr(kFriendRowNameWidth) : std::wstring();
}

}  // namespace vellora
