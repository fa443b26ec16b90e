#include "dialogs/window_object_win32.h"

#include <cwchar>

#include "dialogs/toolkit_win32.h"

namespace vellora {

WindowClass::WindowClass(const wchar_t* name, UINT style, WNDPROC proc, HBRUSH background) {
    if (RegisterWindowClass({style, proc, LoadCursorW(nullptr, IDC_ARROW), background, name})) name_ = name;
}

WindowClass& WindowClass::operator=(WindowClass&& other) noexcept {
    if (this != &other) {
        Unregister();
        name_ = std::move(other.name_);
        other.name_.clear();
    }
    return *this;
}

void WindowClass::Unregister() {
    if (!name_.empty()) UnregisterWindowClass(name_.c_str());
    name_.clear();
}

bool RouteDialogMessage(MSG& msg) {
    if (!msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    wchar_t name[8] = {};
    // "#32770" is the class of every dialog box.
    if (!root || GetClassNameW(root, name, 8) == 0 || std::wcscmp(name, L"#32770") != 0) return false;
    return IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace vellora
