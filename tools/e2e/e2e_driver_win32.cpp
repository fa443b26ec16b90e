// Drives a running Vellora.exe from outside, the way a user would: fills in
// the login form and presses Enter, waits for the chat and its counts,
// writes a line and waits for it to come back once, leaves the chat
// unattended until a toaster tells a line, rests the mouse on a user until
// the information tooltip shows, waits for conversations to open and docks,
// undocks and writes in them, closes the program. Prints what it saw; the
// exit status is 0 when everything was seen.
//
//   e2e_driver login <account> <password>
//   e2e_driver write <line>
//   e2e_driver users <name>         the user list's rows, read as a screen reader does
//   e2e_driver toaster <text>       a toaster shows Text
//   e2e_driver tooltip              the mouse on the first user row shows its tooltip
//   e2e_driver dialog-tooltip       the mouse on the floating dialog's picture shows its user's
//   e2e_driver mouse-away           the mouse off the program's windows: no tooltip stays
//   e2e_driver dialog <user>        a docked dialog with User is open
//   e2e_driver open-another         double-clicks members until another dialog docks
//   e2e_driver undock               the first docked dialog's release icon
//   e2e_driver dialog-write <line>  Enter in the floating dialog; the line comes back in it
//   e2e_driver close
//   e2e_driver wait-closed <seconds>
//   e2e_driver menu options|user     opens a menu (the "..." button, the context-menu key on the first row)
//   e2e_driver keys <key>...         presses keys: up, down, return, escape or a letter
//   e2e_driver wait-window <title>   waits for a dialog whose title starts so
//   e2e_driver sheet-page <n>        shows page n of the settings sheet
//   e2e_driver close-window <title>  closes that dialog with its close box
//
// For the fault matrix and the soak run (tools/faults, tools/soak):
//
//   e2e_driver login-try <account> <password> <seconds>   the chat or the form's error, whichever shows
//   e2e_driver write-expect <line> <seconds>   sent (back in the pane) or kept (in the input, with an
//                                              error line); anything else fails
//   e2e_driver pane-wait <text> <seconds>      until the chat pane shows Text
//   e2e_driver pane-count <text>               how often the chat pane shows Text
//   e2e_driver probe <seconds> <limit-ms> [<stop-file>]   asks the main window every 200 ms whether it
//                                              answers, until the time is up or the file exists; fails when
//                                              one answer took longer than the limit
//   e2e_driver resources                       the program's GDI and USER object counts
//   e2e_driver close-conversations             closes every conversation, floating or docked, as
//                                              their close boxes do
#include "e2e_commands_win32.h"
#include "e2e_windows_win32.h"

#include <string>

using namespace e2e;

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"login" && argc == 4) return Login(argv[2], argv[3]);
    if (command == L"write" && argc == 3) return Write(argv[2]);
    if (command == L"users" && argc == 3) return Users(argv[2]);
    if (command == L"toaster" && argc == 3) return Toaster(argv[2]);
    if (command == L"tooltip" && argc == 2) return Tooltip();
    if (command == L"dialog-tooltip" && argc == 2) return DialogTooltip();
    if (command == L"mouse-away" && argc == 2) return MouseAway();
    if (command == L"dialog" && argc == 3) return Dialog(argv[2]);
    if (command == L"open-another" && argc == 2) return OpenAnother();
    if (command == L"undock" && argc == 2) return Undock();
    if (command == L"dialog-write" && argc == 3) return DialogWrite(argv[2]);
    if (command == L"close" && argc == 2) return Close();
    if (command == L"wait-closed" && argc == 3) return WaitClosed(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    if (command == L"menu" && argc == 3) return OpenMenu(argv[2]);
    if (command == L"keys" && argc >= 3) return Keys(argc - 2, argv + 2);
    if (command == L"wait-window" && argc == 3) return WaitWindow(argv[2]);
    if (command == L"sheet-page" && argc == 3) return SheetPage(_wtoi(argv[2]));
    if (command == L"close-window" && argc == 3) return CloseWindow(argv[2]);
    auto seconds = [&](int i) { return static_cast<DWORD>(_wtoi(argv[i])) * 1000; };
    if (command == L"login-try" && argc == 5) return LoginTry(argv[2], argv[3], seconds(4));
    if (command == L"write-expect" && argc == 4) return WriteExpect(argv[2], seconds(3));
    if (command == L"pane-wait" && argc == 4) return PaneWait(argv[2], seconds(3));
    if (command == L"pane-count" && argc == 3) return PaneCount(argv[2]);
    if (command == L"probe" && (argc == 4 || argc == 5)) {
        return Probe(static_cast<DWORD>(_wtoi(argv[2])), _wtoi(argv[3]), argc == 5 ? argv[4] : nullptr);
    }
    if (command == L"resources" && argc == 2) return Resources();
    if (command == L"close-conversations" && argc == 2) return CloseConversations();
    Say("usage: e2e_driver login <account> <password> | write <line> | users <name> | toaster <text> | tooltip |"
        " dialog-tooltip | mouse-away |"
        " dialog <user> | open-another | undock | dialog-write <line> | menu options|user | keys <key>... |"
        " wait-window <title> | sheet-page <n> | close-window <title> | close | wait-closed <seconds>\n"
        "       | login-try <account> <password> <seconds> | write-expect <line> <seconds>\n"
        "       | pane-wait <text> <seconds> | pane-count <text> | probe <seconds> <limit-ms> [<stop-file>]\n"
        "       | resources | close-conversations");
    return 2;
}
