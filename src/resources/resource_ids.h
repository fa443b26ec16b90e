#pragma once
// Numeric ids of the program's own resources (shared by the resource script
// and the code; only preprocessor lines, as the resource compiler needs).

#define IDI_VELLORA_SMALL 1000   // window icon, 16 x 16
#define IDI_VELLORA_BIG 1015     // window icon, 32 x 32 (base id + 15)
#define IDI_PICTURE_PENDING 1100 // user-list row whose picture is not there yet
#define IDI_NO_PICTURE 1120      // user-list row whose picture could not be made
#define IDB_TOASTER 1000         // the toaster's default picture, 130 x 156
#define IDW_NOTIFY 1000          // the default notification sound (type WAVE)
