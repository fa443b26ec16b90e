#include "dialogs/toolkit_win32.h"

#include <commctrl.h>

#include <vector>

#include "resources/strings.h"

namespace vellora {

bool IsUnicodePlatform = true;

namespace {

bool g_started = false;
OwnedTheme g_scrollBarTheme;
OwnedTheme g_windowTheme;

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
    IsUnicodePlatform = (GetVersion() & (1u << 31)) == 0;
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

bool IsHandledKeyEcho(UINT msg, WPARAM wParam) {
    if (msg == WM_KEYUP) return wParam == VK_TAB || wParam == VK_RETURN;
    if (msg == WM_CHAR) return wParam == L'\t' || wParam == L'\r' || wParam == VK_ESCAPE;
    return false;
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

OwnedIcon LoadIconRes(int id, int size) {
    return OwnedIcon(
        static_cast<HICON>(LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

void SetWindowIcons(HWND window, int baseId) {
    OwnedIcon oldSmall(reinterpret_cast<HICON>(SendMessageW(window, WM_SETICON, ICON_SMALL, 0)));
    OwnedIcon oldBig(reinterpret_cast<HICON>(SendMessageW(window, WM_SETICON, ICON_BIG, 0)));
    // The window had one icon for both sizes: destroy it once.
    if (oldBig.get() == oldSmall.get()) oldBig.release();
    if (baseId == -1) return;
    OwnedIcon small = LoadIconRes(baseId, 16);
    OwnedIcon big = LoadIconRes(baseId + 15, 32);
    HICON shownSmall = small ? small.get() : big.get();
    HICON shownBig = big ? big.get() : small.get();
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shownSmall));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shownBig));
    // From here on the window holds them; the next call takes them away.
    small.release();
    big.release();
}

void OpenThemes() {
    CloseThemes();
    if (!IsThemeActive() || !IsAppThemed()) return;
    OwnedWindow probe(CreateWindowExW(0, L"STATIC", L"", WS_DISABLED | SS_ICON, 0, 0, 32, 32, nullptr, nullptr,
                                      ProgramInstance(), nullptr));
    if (!probe) return;
    g_scrollBarTheme.reset(OpenThemeData(probe, L"SCROLLBAR"));
    g_windowTheme.reset(OpenThemeData(probe, L"WINDOW"));
}

void CloseThemes() {
    g_scrollBarTheme.reset();
    g_windowTheme.reset();
}

HTHEME ScrollBarTheme() { return g_scrollBarTheme; }
HTHEME WindowTheme() { return g_windowTheme; }

}  // namespace vellora
