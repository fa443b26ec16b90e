#pragma once
// One C++ object per window. A window class's procedure is
// WindowProcOf<&T::OnMessage>: the object is bound to the window when it is
// created (the creation parameter of CreateWindowEx) through the window's
// user data, every message goes to that member function, and the binding is
// cleared at WM_NCDESTROY, so the object is never reached once its window
// is gone. Dialogs bind at WM_INITDIALOG the same way (DialogProcOf).
//
// Standard controls whose messages the program wants are subclassed with
// Common Controls' SetWindowSubclass: a Subclass object installs a member
// function of the owning object and removes it again before the control is
// destroyed. A handler passes on what it does not consume with
// DefSubclassProc.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>

#include "dialogs/handles_win32.h"

namespace vellora {

namespace detail {
template <class M>
struct MemberOf;
template <class T, class R, class... A>
struct MemberOf<R (T::*)(A...)> {
    using Class = T;
};
}  // namespace detail

// The procedure of a window class whose windows are created with their
// object as the creation parameter. Method: LRESULT (HWND, UINT, WPARAM, LPARAM).
// The object learns of its window at WM_NCCREATE through Method itself.
template <auto Method>
LRESULT CALLBACK WindowProcOf(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    using T = typename detail::MemberOf<decltype(Method)>::Class;
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return (self->*Method)(window, msg, wParam, lParam);
}

// The procedure of a dialog created with its object as the initialisation
// parameter (CreateDialog...Param). Method: INT_PTR (HWND, UINT, WPARAM, LPARAM).
template <auto Method>
INT_PTR CALLBACK DialogProcOf(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    using T = typename detail::MemberOf<decltype(Method)>::Class;
    if (msg == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(dialog, DWLP_USER, 0);
    return (self->*Method)(dialog, msg, wParam, lParam);
}

// A member function installed as a control's subclass procedure, removed
// when this object goes (or the control is destroyed first).
class Subclass {
public:
    Subclass() = default;
    template <auto Method>
    static Subclass Install(HWND control, typename detail::MemberOf<decltype(Method)>::Class& object) {
        Subclass s;
        if (control && SetWindowSubclass(control, Thunk<Method>, 0, reinterpret_cast<DWORD_PTR>(&object))) {
            s.control_ = control;
            s.proc_ = Thunk<Method>;
        }
        return s;
    }
    Subclass(Subclass&& other) noexcept
        : control_(std::exchange(other.control_, nullptr)), proc_(std::exchange(other.proc_, nullptr)) {}
    Subclass& operator=(Subclass&& other) noexcept {
        if (this != &other) {
            Remove();
            control_ = std::exchange(other.control_, nullptr);
            proc_ = std::exchange(other.proc_, nullptr);
        }
        return *this;
    }
    ~Subclass() { Remove(); }

    void Remove() {
        if (control_) RemoveWindowSubclass(control_, proc_, 0);
        control_ = nullptr;
    }
    bool Installed() const { return control_ != nullptr; }

private:
    template <auto Method>
    static LRESULT CALLBACK Thunk(HWND w, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
        using T = typename detail::MemberOf<decltype(Method)>::Class;
        // A control destroyed with its parent goes before its owner removes
        // the subclass: take it away here, the control's procedure never
        // sees the object again.
        if (msg == WM_NCDESTROY) {
            RemoveWindowSubclass(w, Thunk<Method>, 0);
            return DefSubclassProc(w, msg, wParam, lParam);
        }
        return (reinterpret_cast<T*>(ref)->*Method)(w, msg, wParam, lParam);
    }

    HWND control_ = nullptr;
    SUBCLASSPROC proc_ = nullptr;
};

// A child control the program owns: destroyed with its subclass removed
// first and its font taken away (the fonts are deleted after the windows).
class Control {
public:
    Control() = default;
    explicit Control(HWND window) : window_(window) {}
    Control(Control&&) = default;
    Control& operator=(Control&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::move(other.window_);
            subclass_ = std::move(other.subclass_);
        }
        return *this;
    }
    ~Control() { reset(); }

    HWND get() const { return window_.get(); }
    operator HWND() const { return window_.get(); }

    template <auto Method>
    void SubclassWith(typename detail::MemberOf<decltype(Method)>::Class& object) {
        subclass_ = Subclass::Install<Method>(window_, object);
    }
    void SetFont(HFONT font) { SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

    void reset() {
        subclass_.Remove();
        if (window_) SetFont(nullptr);
        window_.reset();
    }

private:
    OwnedWindow window_;
    Subclass subclass_;
};

// A registered window class, unregistered again when this object goes (after
// every window of the class is gone).
class WindowClass {
public:
    WindowClass() = default;
    WindowClass(const wchar_t* name, UINT style, WNDPROC proc, HBRUSH background);
    WindowClass(WindowClass&& other) noexcept : name_(std::move(other.name_)) { other.name_.clear(); }
    WindowClass& operator=(WindowClass&& other) noexcept;
    ~WindowClass() { Unregister(); }
    bool Registered() const { return !name_.empty(); }
    void Unregister();

private:
    std::wstring name_;
};

// Hands a message of a modeless dialog (the login form, ...) to the dialog
// manager, which does its Tab, Enter, Escape and mnemonics; true when it
// took the message. Every message loop of the program calls it first.
bool RouteDialogMessage(MSG& msg);

}  // namespace vellora
