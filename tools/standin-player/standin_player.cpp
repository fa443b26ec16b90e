// Stand-in for the SonarVista media player.
//
//   standin-player.exe [--file PATH] [--title TEXT] [--kind N] [--number N]
//                      [--valid N] [--aux N] [--reply N] [--unterminated 1]
//
// It opens a window of the player's class and title and answers WM_COMMAND
// 801 / 1234 by writing the current item into the shared memory
// "sonarvista_1234". The item comes from the command line; a file given with
// --file (UTF-8, one Key=Value a line with the keys Title, Kind, Number,
// Valid, Aux, Reply, Unterminated) is read again on every request and
// overrides it, so a demo or test can change the song while it runs.
// Reply replaces the answer (normally the title's length + 1); Unterminated=1
// fills the whole block with the title and no terminating zero. WM_CLOSE ends
// it.

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr wchar_t kClassName[] = L"SonarVista10046CustomClassMSG";
constexpr wchar_t kWindowTitle[] = L"SonarVista";
constexpr wchar_t kMappingName[] = L"sonarvista_1234";
constexpr std::size_t kBlockSize = 528;

struct Item {
    std::wstring title = L"Nobody - Nothing playing";
    long kind = 2;
    long number = 200000;
    long valid = 1;
    long aux = 0;
    long reply = -1;  // -1: the title's length + 1
    bool unterminated = false;
};

Item gCommandLineItem;
std::wstring gFile;
std::wstring gShown = L"(no request yet)";

void SetField(Item& item, const std::wstring& key, const std::wstring& value) {
    long number = std::wcstol(value.c_str(), nullptr, 10);
    if (key == L"title") item.title = value;
    else if (key == L"kind") item.kind = number;
    else if (key == L"number") item.number = number;
    else if (key == L"valid") item.valid = number;
    else if (key == L"aux") item.aux = number;
    else if (key == L"reply") item.reply = number;
    else if (key == L"unterminated") item.unterminated = number != 0;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    }
    return text;
}

// The command line's item, with the file's lines laid over it.
Item CurrentItem() {
    Item item = gCommandLineItem;
    if (gFile.empty()) return item;
    HANDLE f = CreateFileW(gFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return item;
    std::string bytes(65536, '\0');
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(f);
    bytes.resize(got);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        std::size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) SetField(item, Lower(line.substr(0, equals)), line.substr(equals + 1));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return item;
}

// Writes the item into the client's shared memory; the answer to send back.
LRESULT AnswerRequest() {
    Item item = CurrentItem();
    gShown = item.title;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kMappingName);
    if (!mapping) return 0;
    auto* block = static_cast<unsigned char*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kBlockSize));
    if (!block) {
        CloseHandle(mapping);
        return 0;
    }
    std::memset(block, 0, kBlockSize);
    std::size_t at = 0;
    if (item.unterminated) {
        for (std::size_t i = 0; at + 2 <= kBlockSize; ++i) {
            wchar_t c = item.title.empty() ? L'x' : item.title[i % item.title.size()];
            block[at++] = static_cast<unsigned char>(c & 0xFF);
            block[at++] = static_cast<unsigned char>((c >> 8) & 0xFF);
        }
    } else {
        std::wstring title = item.title.substr(0, (kBlockSize - 10) / 2);
        for (wchar_t c : title) {
            block[at++] = static_cast<unsigned char>(c & 0xFF);
            block[at++] = static_cast<unsigned char>((c >> 8) & 0xFF);
        }
        at += 2;  // the terminating zero
        block[at++] = static_cast<unsigned char>(item.aux);
        block[at++] = static_cast<unsigned char>(item.valid);
        block[at++] = static_cast<unsigned char>(item.kind);
        block[at++] = 0;
        auto number = static_cast<std::uint32_t>(item.number);
        for (int shift = 0; shift < 32; shift += 8) block[at++] = static_cast<unsigned char>((number >> shift) & 0xFF);
    }
    UnmapViewOfFile(block);
    CloseHandle(mapping);
    return item.reply >= 0 ? item.reply : static_cast<LRESULT>(item.title.size() + 1);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (wParam == 801 && lParam == 1234) {
                LRESULT answer = AnswerRequest();
                InvalidateRect(hwnd, nullptr, TRUE);
                return answer;
            }
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            RECT area;
            GetClientRect(hwnd, &area);
            std::wstring text = L"Playing: " + gShown;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void ReadCommandLine() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return;
    for (int i = 1; i + 1 < count; i += 2) {
        std::wstring option = args[i];
        if (option.rfind(L"--", 0) != 0) continue;
        if (option == L"--file") {
            gFile = args[i + 1];
        } else {
            SetField(gCommandLineItem, option.substr(2), args[i + 1]);
        }
    }
    LocalFree(args);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ReadCommandLine();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassW(&windowClass)) return 1;
    HWND hwnd = CreateWindowW(kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 420, 90,
                              nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 2;
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
