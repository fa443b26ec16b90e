#pragma once
// The standard input box: a prompt, a line to type into, OK and Cancel.

#include <windows.h>

#include <string>

#include "view/view_window.h"

namespace vellora {

// Runs the box modally over Owner, titled Title. On OK the typed text goes
// through Check: a refusal takes the prompt's place and the box stays open
// for another try. True with Answer set when a text was taken; false on
// Cancel.
bool RunInputBox(HWND owner, const std::wstring& title, const std::wstring& prompt, std::wstring& answer,
                 const AnswerCheck& check);

}  // namespace vellora
