#pragma once
// The message a portable copy gives when it cannot save its settings.

namespace vellora {

// Makes the portable settings notice (config/portable.h) a message box. It
// comes up from the message loop, not from inside the save that failed,
// which may run in the middle of a login or a menu command.
void InstallSettingsNotSavedNotice();

}  // namespace vellora
