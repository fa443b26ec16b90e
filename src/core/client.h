#pragma once
// The main window object's state: everything that lives from start-up to
// shutdown. Operations are free functions in the modules that need them
// (chat/login.h, chat/poll_tick.h, chat/send.h, ...); they take the Client
// and reach the window layer only through the interfaces it points to.
// Later parts of the program add their own state here.

#include <cstdint>
#include <functional>
#include <string>

#include "chat/endpoints.h"
#include "config/settings.h"
#include "core/main_window.h"
#include "core/session.h"
#include "core/status_line.h"
#include "net/clock.h"
#include "text/line_ring.h"
#include "text/rtf_document.h"
#include "view/chat_view.h"
#include "view/dialog_record.h"
#include "view/lists_dialog_model.h"
#include "view/relation_list.h"
#include "view/roster.h"
#include "view/user_pictures.h"
#include "view/view_window.h"

namespace vellora {

// State of the 500 ms poll timer and its media stream.
struct PollState {
    bool InTimer = false;   // a tick is being handled
    bool ChatTurn = false;  // flipped every tick; the chat part runs when true
    std::int32_t SideWaitTicks = 0;  // ticks before the media stream is looked at again
    std::wstring PendingPicUrl;      // avatar being fetched; empty when none
    std::int32_t PendingUid = 0;     // user whose profile page is being fetched; 0 when none
    std::wstring ChatRequestSession;  // the chat session the outstanding getdata request was sent with
    bool SoundStartedThisTick = false;  // at most one notification sound per tick
    std::int32_t FailedPolls = 0;       // getdata requests failed in a row
};

// Steps of the poll tick that other parts of the program provide. An empty
// function is skipped.
struct TickHooks {
    std::function<void()> SongStep;                  // current-song posting, every tick
    std::function<void(std::uint32_t)> ToasterTick;  // toaster housekeeping with its lifetime in ms
    std::function<void()> GrayIdleUsers;             // graying of idle users' rows
    // A getdata request went out on this socket: the window layer asks to be
    // told when its answer arrives (ChatAnswerArrived, chat/poll_tick.h).
    std::function<void(SocketHandle)> WatchChatAnswer;
};

struct Client {
    Session session;
    Settings settings;
    Endpoints endpoints;
    RelationLists lists;
    Roster roster;
    PollState poll;

    // Activity stamps: the last ordinary chat line (song posting waits for a
    // quiet chat) and the last activity that counts for the alert sound.
    Tick LastChatLineTick = 0;
    Tick LastAlertTick = 0;
    // When the idle graying of user rows last ran.
    Tick LastHilightUpdate = 0;

    // A reconnect happened: the next chat line is preceded by the
    // "Reconnected" separator.
    bool MustSpace = false;
    // A line of the current batch asks for the alert sound.
    bool AlertSoundDue = false;
    // A batch of chat lines arrived since the last login attempt.
    bool ChatBatchSeen = false;
    // Copy of FriendsAtEntryDone taken at the end of every tick.
    bool EntryPhaseOver = false;
    // The friends present at chat entry have been collected.
    bool FriendsAtEntryDone = false;
    // The relation list the lists dialog edits, or where the collection of
    // the friends present at entry stands (a ListsMode).
    std::int32_t ListsDialogMode = kFriendsList;
    // The lists dialog's rows and buttons.
    ListsDialogModel ListsDialog;
    // The counts text the status bar shows.
    std::wstring CountsShown;

    // The chat pane's last 1024 lines.
    LineRing MainRing{kMainRingSize, kMainRtfCapacity};
    // The open conversations, in the order of the docked column.
    DialogList Dialogs;
    // The chat pane has asked for a toaster for the line it is handling:
    // toasters the same line causes elsewhere are held back.
    bool ToasterHold = false;

    // Profile pages: the user whose page is being fetched, whether it is the
    // periodic request for the own account, and when that last ended.
    std::wstring PendingAgeUser;
    bool OwnProfileRefresh = false;
    Tick LastOwnProfile = 0;

    // The window layer and the views; all set before the first login.
    StatusTarget* status = nullptr;
    ChatView* view = nullptr;
    UserPictures* pictures = nullptr;
    MainWindow* window = nullptr;
    ViewWindow* viewWindow = nullptr;
    TickHooks hooks;
};

}  // namespace vellora
