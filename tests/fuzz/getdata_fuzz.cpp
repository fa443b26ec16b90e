// libFuzzer target: getdata answers, parsed and handled one after another by
// the real chat view (lines, dialog routing, pictures) against a roster, must
// never crash or hang; the user-list rows must always name the roster's
// entries in order, every picture must be released exactly once when its
// entry leaves, and every document streamed into a pane and every toaster
// line must stay inside the client's rich-text dialect, without a control
// byte it must not hold.
//
// Input: one byte of settings, then answers separated by a NUL byte.

#include <set>
#include <string>
#include <string_view>

#include "chat/getdata_answer.h"
#include "chat/getdata_parser.h"
#include "fuzz/fuzz_input.h"
#include "support/recording_client.h"
#include "text/codepage.h"
#include "text/rtf_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vellora;
    using fuzz::Require;
    if (size == 0) return 0;
    test::RecordingClient rc;
    rc.UseRealView();
    Client& client = rc.client;
    test::RecordingViewWindow& windows = rc.viewWindow;
    windows.placeholders = {L"F_UNDER18", L"F_18_25", L"F_25_35", L"F_35_45", L"F_OVER45",
                            L"M_UNDER18", L"M_18_25", L"M_25_35", L"M_35_45", L"M_OVER45"};
    client.session.LoginPhase = false;
    client.session.Disconnected = (data[0] & 1) != 0;
    client.FriendsAtEntryDone = (data[0] & 2) != 0;
    client.settings.GrayOrHilightUsersMode = (data[0] >> 2) & 3;
    client.settings.IdleToaster = (data[0] & 0x10) != 0;
    client.settings.ExcludeDialogMessages = (data[0] & 0x20) != 0;
    client.settings.SingleWindow = (data[0] & 0x40) != 0;
    client.EntryPhaseOver = (data[0] & 0x80) != 0;
    client.ChatBatchSeen = client.EntryPhaseOver;
    if (client.settings.IdleToaster) windows.foreground = 0;
    client.session.UserName = L"anna";
    client.lists.Friends = {L"ben", L"Anna"};
    client.lists.Banned = {L"carl"};

    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    for (;;) {
        std::size_t end = rest.find('\0');
        std::string_view body = rest.substr(0, end);
        ParseGetdata(body);
        HandleGetdataAnswer(client, body);  // a row that does not exist throws

        Require(rc.RowNames() == rc.RosterNames(), "row i shows entry i");
        std::set<PictureHandle> held;
        for (const RosterEntry& entry : client.roster) {
            if (HoldsPicture(entry.Picture)) held.insert(entry.Picture);
        }
        Require(held == windows.live, "the pictures held are exactly those not yet released");
        Require(windows.strayPictures == 0, "each picture released once, and only pictures handed out used");
        Require(windows.chatPane.dialectProblem.empty(), "pane documents stay inside the dialect");
        for (const auto& dialog : client.Dialogs) {
            Require(static_cast<test::RecordingDialogWindow&>(*dialog->window).pane.dialectProblem.empty(),
                    "pane documents stay inside the dialect");
        }
        for (const test::ToasterCall& toaster : windows.toasters) {
            // The toaster's document is built like a pane's.
            Require(test::RtfDialectProblem("{\\rtf1 " + WideToAnsi(RtfParagraph(-1, L"", toaster.text, false)) + "}")
                        .empty(),
                    "toaster lines stay inside the dialect");
        }
        windows.toasters.clear();
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}
