#pragma once
// Getting the user's attention for a line: toasters, lifting a window to the
// top, flashing it, and the user's picture that goes with a toaster.

#include <cstdint>
#include <string>

#include "core/client.h"

namespace vellora {

// Asks for a toaster line; held back (no line, no new window) while the chat
// pane has already asked for one for the line it is handling.
void RequestToaster(Client& client, std::int32_t kind, const std::wstring& user, const std::wstring& text,
                    std::int32_t timeOfDay, PictureHandle picture);

// Brings Window to the top without taking the focus from the user: a window
// that is not minimized is lifted (and counts as chat activity for the alert
// sound), a minimized one is restored.
void PopUpWindow(Client& client, WindowId window);

// Flashes Window's caption and taskbar button; counts as chat activity.
void FlashAttention(Client& client, WindowId window);

// The window that shows a dialog: the main window while it is docked.
WindowId ShowingWindow(const Client& client, const Form2& dialog);

// The user's picture for a toaster: the roster entry's, else the picture an
// open dialog with that user shows; 0 for none.
PictureHandle UserPicture(const Client& client, const std::wstring& name);

// Makes the dialog's window icons from Picture; nothing for no picture.
void SetDialogIcons(PictureHandle picture, Form2& dialog);

}  // namespace vellora
