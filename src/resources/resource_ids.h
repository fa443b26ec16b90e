#pragma once
// Numeric ids of the program's own resources and of its windows' controls,
// shared by the resource scripts and the code (only preprocessor lines, as
// the resource compiler needs). Other programs find the windows by these
// numbers, so they never change. String ids are generated from strings.inc
// (resources/string_ids.h).

// Icons.
#define IDI_VELLORA_SMALL 1000   // window icon, 16 x 16 (the base id of the main window's icons)
#define IDI_VELLORA_BIG 1015     // window icon, 32 x 32 (base id + 15)
#define IDI_PICTURE_PENDING 1100 // user-list row whose picture is not there yet
#define IDI_NO_PICTURE 1120      // user-list row whose picture could not be made

// Pictures and sounds.
#define IDB_TOASTER 1000         // the toaster's default picture, 130 x 156
#define IDW_NOTIFY 1000          // the default notification sound (type WAVE)

// Menus: options, user and self menu; the user menu's staff section.
#define IDM_OPTIONS 1000
#define IDM_USER 1100
#define IDM_SELF 1101
#define IDM_STAFF_FIRST 1190
#define IDM_STAFF_LAST 1199

// Items of the options menu.
#define IDM_FRIENDS 1010
#define IDM_TEMP_IGNORED 1011
#define IDM_IGNORED 1012
#define IDM_CLOSE_OFFLINE 1070   // "Close all dialogs", in this order:
#define IDM_CLOSE_IDLE 1071      // users offline, users idle, docked,
#define IDM_CLOSE_DOCKED 1072    // undocked, all
#define IDM_CLOSE_UNDOCKED 1073
#define IDM_CLOSE_ALL 1074
#define IDM_SHOW_TIMES 1080
#define IDM_IDLE_TOASTER 1081
#define IDM_MORE_OPTIONS 1089

// Items of the user menu; the staff section's are also the self menu's.
#define IDM_OPEN_DIALOG 1105
#define IDM_TALK_TO 1106
#define IDM_ADD_FRIEND 1120
#define IDM_IGNORE 1125
#define IDM_TEMP_IGNORE 1126
#define IDM_STAFF_SEPARATOR 1190
#define IDM_KICK 1191
#define IDM_MUTE 1194
#define IDM_BAN 1197

// Dialog templates: the toaster, the lists dialog and its input box, and the
// two pages of the settings sheet (the sheet takes every template from
// IDD_SETTINGS_FIRST to IDD_SETTINGS_LAST, in steps of IDD_SETTINGS_STEP).
#define IDD_TOASTER 1000
#define IDC_TOASTER_RICH 1000     // the toaster's rich-text pane
#define IDC_TOASTER_PICTURE 1010  // the toaster's picture of the user
#define IDD_LISTS 2500
#define IDD_ASK_TEXT 2520
#define IDD_SETTINGS_FIRST 3000
#define IDD_SETTINGS_LAST 3950
#define IDD_SETTINGS_STEP 50
#define IDD_SETTINGS_INTERFACE 3100
#define IDD_SETTINGS_EVENTS 3200

// Controls of the lists dialog (Form3) and of the input box.
#define IDC_LISTS_LIST 1001      // List1
#define IDC_LISTS_COMMAND1 1002  // Add / Dialog
#define IDC_LISTS_COMMAND2 1003  // Remove selected / Talk to
#define IDC_LISTS_COMMAND3 1004  // Close
#define IDC_ASK_PROMPT 1001
#define IDC_ASK_ANSWER 1002

// Controls of the settings page "Interface" (3100).
#define IDC_GRAY_NOBODY 3050     // gray-out mode radio group, 3050 + mode
#define IDC_GRAY_IGNORED 3051
#define IDC_GRAY_IDLE 3052
#define IDC_GRAY_FRIENDS 3053
#define IDC_IDLE_MINUTES 3054    // the up-down's buddy
#define IDC_IDLE_UPDOWN 3055
#define IDC_RETRIEVE_AGES 3058
#define IDC_STATUS_BAR 3060
#define IDC_TIPS_NEVER 3065      // tooltip mode radio group, 3065 + mode
#define IDC_TIPS_USERS 3066
#define IDC_TIPS_ALWAYS 3067
#define IDC_DOCK_DIALOGS 3070
#define IDC_EXCLUDE_DIALOG_LINES 3072
#define IDC_AUTO_HIDE_INPUT 3075
#define IDC_FRIENDS_DIALOGS_ONLY 3079

// Controls of the settings page "Events" (3200).
#define IDC_FRIENDS_POPUP 3010   // drop-down list, index = FriendsPopup
#define IDC_DIALOG_TOASTER 3015
#define IDC_ERROR_TOASTER 3016
#define IDC_KEEP_TOASTERS 3020   // always disabled
#define IDC_SOUND_PLAY 3025
#define IDC_SOUND_FILE 3026
#define IDC_SOUND_BROWSE 3027
#define IDC_SOUND_TRY 3028
#define IDC_SOUND_STOP 3029
#define IDC_POST_SONGS 3090

// Controls of the main window and the panes.
#define IDC_MAIN_INPUT 4097  // the main input line
#define IDC_RICH_PANE 4097   // every rich-text pane
#define IDC_ERROR_BOX 4097   // the error strip below a form
#define IDC_DIALOG_INPUT 4097  // a dialog's input line

// Controls of the login form (Form4).
#define IDC_LOGIN_WELCOME 1010         // Label1
#define IDC_LOGIN_NAME_LABEL 1011      // Label2
#define IDC_LOGIN_PASSWORD_LABEL 1012  // Label3
#define IDC_LOGIN_NAME 1001            // Combo1
#define IDC_LOGIN_PASSWORD 1002        // Text2
#define IDC_LOGIN_REMEMBER 1003        // Check2

// The poll timer Timer1 on the main window.
#define IDT_TIMER1 1
