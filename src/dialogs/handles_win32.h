#pragma once
// Owning handles of the window system: a window, font, bitmap, brush, icon,
// menu, memory device context, library or theme is released when its owner
// goes out of scope, so an object's members released in the reverse order of
// their declaration are its shutdown order, written once.
//
// Each kind counts the handles its owners hold, which lets a test see that
// nothing piles up where the platform cannot count its objects (Wine reports
// no GDI or USER object counts).

#include <windows.h>
#include <uxtheme.h>

#include <utility>

namespace vellora {

// Which of the system's object heaps a handle lives in.
enum class HandleHeap { Gdi, User, Other };

template <class Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {
        if (handle_) ++live_;
    }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    // Owned handles stand in for the raw handle in calls.
    operator Handle() const { return handle_; }

    // Releases the handle owned so far and takes Handle.
    void reset(Handle handle = Handle{}) {
        Handle old = std::exchange(handle_, Handle{});
        if (old) {
            --live_;
            Traits::Destroy(old);
        }
        handle_ = handle;
        if (handle_) ++live_;
    }
    // Hands the handle to a new owner without releasing it.
    Handle release() {
        if (handle_) --live_;
        return std::exchange(handle_, Handle{});
    }
    // The system released it already (a window destroyed with its parent).
    void forget() { release(); }

    // How many handles of this kind owners hold now.
    static long Live() { return live_; }

private:
    Handle handle_{};
    static inline long live_ = 0;
};

struct WindowTraits {
    using Handle = HWND;
    static constexpr HandleHeap kHeap = HandleHeap::User;
    static void Destroy(HWND window) { DestroyWindow(window); }
};
struct MenuTraits {
    using Handle = HMENU;
    static constexpr HandleHeap kHeap = HandleHeap::User;
    static void Destroy(HMENU menu) { DestroyMenu(menu); }
};
struct IconTraits {
    using Handle = HICON;
    static constexpr HandleHeap kHeap = HandleHeap::User;
    static void Destroy(HICON icon) { DestroyIcon(icon); }
};
template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static constexpr HandleHeap kHeap = HandleHeap::Gdi;
    static void Destroy(H object) { DeleteObject(object); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static constexpr HandleHeap kHeap = HandleHeap::Gdi;
    static void Destroy(HDC dc) { DeleteDC(dc); }
};
struct LibraryTraits {
    using Handle = HMODULE;
    static constexpr HandleHeap kHeap = HandleHeap::Other;
    static void Destroy(HMODULE module) { FreeLibrary(module); }
};
struct ThemeTraits {
    using Handle = HTHEME;
    static constexpr HandleHeap kHeap = HandleHeap::Other;
    static void Destroy(HTHEME theme) { CloseThemeData(theme); }
};

using OwnedWindow = Owned<WindowTraits>;
using OwnedMenu = Owned<MenuTraits>;
using OwnedIcon = Owned<IconTraits>;
using OwnedFont = Owned<GdiObjectTraits<HFONT>>;
using OwnedBitmap = Owned<GdiObjectTraits<HBITMAP>>;
using OwnedBrush = Owned<GdiObjectTraits<HBRUSH>>;
using OwnedMemoryDc = Owned<MemoryDcTraits>;
using OwnedLibrary = Owned<LibraryTraits>;
using OwnedTheme = Owned<ThemeTraits>;

// A memory device context compatible with the screen.
inline OwnedMemoryDc CreateMemoryDc() { return OwnedMemoryDc(CreateCompatibleDC(nullptr)); }

// An object selected into a device context, put back on leaving the scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (old_) SelectObject(dc_, old_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A COM interface pointer, released on leaving the scope.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Where a creating call writes the new pointer.
    T** out() {
        reset();
        return &p_;
    }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// The handles that owners hold now, by the heap they live in.
struct LiveHandles {
    long gdi = 0;
    long user = 0;
    friend bool operator==(const LiveHandles&, const LiveHandles&) = default;
};
inline LiveHandles CountLiveHandles() {
    return {OwnedFont::Live() + OwnedBitmap::Live() + OwnedBrush::Live() + OwnedMemoryDc::Live(),
            OwnedWindow::Live() + OwnedMenu::Live() + OwnedIcon::Live()};
}

}  // namespace vellora
