#include "dialogs/toolkit_win32.h"

#include <commctrl.h>

#include <vector>

#include "resources/strings.h"

namespace vellora {

bool IsUnicodePlatform = true;

namespace {

bool g_started = false;
HTHEME g_scrollBarTheme = nullptr;
HTHEME g_windowTheme = nullptr;

}  // namespace

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

bool ToolkitStart(int /*iconLevelLimit*/) {
    if (g_started) return false;
    g_started = true;
    // Some systems only find the common controls' classes with the shell
    // library loaded around the initialisation.
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    if (shell) FreeLibrary(shell);
    IsUnicodePlatform = (GetVersion() & 0x80000000u) == 0;
    OpenThemes();
    // Texts come from the string tables from now on; the language the
    // resource lookup answers in is the one the rest of the program reports.
    SetStringLookup(LoadStringResource);
    SetUiLanguage(PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN ? UiLanguage::German
                                                                            : UiLanguage::English);
    return true;
}

void ToolkitStop() {
    CloseThemes();
    SetStringLookup(nullptr);
    g_started = false;
}

bool RegisterWindowClass(const WindowClassRecord& record) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = record.style;
    wc.lpfnWndProc = record.proc;
    wc.hInstance = ProgramInstance();
    wc.hCursor = record.cursor;
    wc.hbrBackground = record.background;
    wc.lpszClassName = record.className;
    return RegisterClassExW(&wc) != 0;
}

bool UnregisterWindowClass(const wchar_t* className) {
    return UnregisterClassW(className, ProgramInstance()) != 0;
}

std::wstring GetWindowTextString(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    int got = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

void SetWindowTextString(HWND window, const std::wstring& text) { SetWindowTextW(window, text.c_str()); }

std::optional<std::wstring> LoadStringResource(std::int32_t id) {
    if (id < 0 || id > 0xFFFF) return std::nullopt;
    // With a buffer length of 0 LoadStringW hands out the resource's own
    // read-only text, so no length limit applies.
    const wchar_t* text = nullptr;
    int length = LoadStringW(ProgramInstance(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length > 0 && text) return std::wstring(text, static_cast<std::size_t>(length));
    return std::nullopt;
}

std::wstring VersionValue(const wchar_t* name) {
    const std::wstring missing = L"???";
    HRSRC found = FindResourceW(ProgramInstance(), MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    if (!found) return missing;
    HGLOBAL loaded = LoadResource(ProgramInstance(), found);
    DWORD size = SizeofResource(ProgramInstance(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0) return missing;
    // VerQueryValue wants a writable copy of the block.
    std::vector<unsigned char> copy(static_cast<const unsigned char*>(data),
                                    static_cast<const unsigned char*>(data) + size);
    std::wstring path = L"\\StringFileInfo\\040904B0\\" + std::wstring(name);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(copy.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return missing;
    std::wstring text(value, length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text.empty() ? missing : text;
}

HICON LoadIconRes(int id, int size) {
    return static_cast<HICON>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

void SetWindowIcons(HWND window, int baseId) {
    auto oldSmall = reinterpret_cast<HICON>(SendMessageW(window, WM_SETICON, ICON_SMALL, 0));
    auto oldBig = reinterpret_cast<HICON>(SendMessageW(window, WM_SETICON, ICON_BIG, 0));
    if (baseId != -1) {
        HICON small = LoadIconRes(baseId, 16);
        HICON big = LoadIconRes(baseId + 15, 32);
        if (!small) small = big;
        if (!big) big = small;
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (oldSmall) DestroyIcon(oldSmall);
    if (oldBig && oldBig != oldSmall) DestroyIcon(oldBig);
}

void Subclass(HWND window, WNDPROC newProc) {
    LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(newProc));
    SetWindowLongPtrW(window, GWLP_USERDATA, previous);
}

void Unsubclass(HWND window) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, GetWindowLongPtrW(window, GWLP_USERDATA));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

LRESULT CallPrevious(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!previous) return DefWindowProcW(window, msg, wParam, lParam);
    return CallWindowProcW(previous, window, msg, wParam, lParam);
}

void OpenThemes() {
    CloseThemes();
    if (!IsThemeActive() || !IsAppThemed()) return;
    HWND probe = CreateWindowExW(0, L"STATIC", L"", 0x08000003, 0, 0, 32, 32, nullptr, nullptr, ProgramInstance(),
                                 nullptr);
    if (!probe) return;
    g_scrollBarTheme = OpenThemeData(probe, L"SCROLLBAR");
    g_windowTheme = OpenThemeData(probe, L"WINDOW");
    DestroyWindow(probe);
}

void CloseThemes() {
    if (g_scrollBarTheme) CloseThemeData(g_scrollBarTheme);
    if (g_windowTheme) CloseThemeData(g_windowTheme);
    g_scrollBarTheme = nullptr;
    g_windowTheme = nullptr;
}

HTHEME ScrollBarTheme() { return g_scrollBarTheme; }
HTHEME WindowTheme() { return g_windowTheme; }

}  // namespace vellora
