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

// Dialog templates: the toaster and the two pages of the settings sheet.
#define IDD_TOASTER 1000
#define IDC_TOASTER_RICH 1000     // the toaster's rich-text pane
#define IDC_TOASTER_PICTURE 1010  // the toaster's picture of the user
#define IDD_SETTINGS_INTERFACE 3100
#define IDD_SETTINGS_EVENTS 3200

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
