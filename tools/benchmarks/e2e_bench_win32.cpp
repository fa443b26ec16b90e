// The second process of the end-to-end benchmark (tools/bench): it posts
// chat lines as a member through the simulator's control port and reads the
// running program's chat pane from outside, the way a user sees it, to time
// how long a line takes from the post to the screen.
//
//   e2e_bench fill    <control-port> <lines>            posts lines until the pane holds them
//   e2e_bench latency <control-port> <samples> <label>  one line at a time: post -> visible
//   e2e_bench rate    <control-port> <per-second> <seconds>  lines at a steady rate
//   e2e_bench burst   <control-port> <lines> <rounds>   lines back to back: last post -> last visible
//
// The pane is looked at every 3 ms through its text length, a small message;
// only when that changed is the text read. The lines being timed are longer
// than the lines that fill the pane, so that the length changes when they
// come in, whatever line drops off the top.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr double kTickMs = 500;
constexpr const char* kMember = "anna";

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// A form post to the simulator's control interface; true when it answered "ok".
bool Post(int port, const std::string& path, const std::string& body) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(port));
    to.sin_addr.s_addr = inet_addr("127.0.0.1");
    bool ok = false;
    if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
        std::string request = "POST " + path + " HTTP/1.1\r\nHost: control\r\nConnection: close\r\n" +
                              "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\n\r\n" + body;
        send(s, request.data(), static_cast<int>(request.size()), 0);
        std::string answer;
        char buffer[4096];
        for (int n; (n = recv(s, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, static_cast<std::size_t>(n));
        ok = answer.find("\r\n\r\nok") != std::string::npos;
    }
    closesocket(s);
    return ok;
}

// A member's line of an ordinary length ending in Marker; a line being timed
// is a little longer than a filling line.
bool Say(int port, const std::string& marker, bool timed) {
    return Post(port, "/say", std::string("user=") + kMember + "&text=hello+to+everybody+in+the+chat,+how+are+you+" +
                                  (timed ? "all+doing+on+this+fine+day?+" : "doing?+") + marker);
}

// Letters and digits only: the pane wraps lines at blanks and hyphens.
std::string Marker(const char* kind, int n) { return std::string(kind) + std::to_string(n) + "z"; }

HWND FindPane() {
    HWND main = nullptr;
    for (HWND w = FindWindowW(L"VelloraWindow", nullptr); w; w = FindWindowExW(nullptr, w, L"VelloraWindow", nullptr)) {
        if (IsWindowVisible(w)) main = w;
    }
    return main ? FindWindowExW(main, nullptr, L"RichEdit20A", nullptr) : nullptr;
}

DWORD_PTR TextLength(HWND pane) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
    return length;
}

// True when Marker stands at the end of the pane's text.
bool EndsWithLine(HWND pane, const std::string& marker) {
    std::vector<wchar_t> text(TextLength(pane) + 2);
    DWORD_PTR got = 0;
    SendMessageTimeoutW(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000, &got);
    std::wstring tail(text.data() + (got > 200 ? got - 200 : 0), text.data() + std::min<DWORD_PTR>(got, text.size()));
    return tail.find(std::wstring(marker.begin(), marker.end())) != std::wstring::npos;
}

// Waits until the pane's last line shows Marker; the time it became visible,
// or a negative value after 30 s.
double WaitVisible(HWND pane, const std::string& marker) {
    const double start = NowMs();
    DWORD_PTR seenLength = static_cast<DWORD_PTR>(-1);
    while (NowMs() - start < 30000) {
        DWORD_PTR length = TextLength(pane);
        if (length != seenLength) {
            seenLength = length;
            if (EndsWithLine(pane, marker)) return NowMs();
        }
        Sleep(3);
    }
    return -1;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

int Fill(int port, HWND pane, int lines) {
    const double start = NowMs();
    // The chat keeps its last 500 lines for a poll: post in parts.
    for (int done = 0; done < lines;) {
        int part = std::min(200, lines - done);
        for (int i = 0; i < part; ++i) {
            if (!Say(port, Marker("fill", done + i), false)) return std::printf("posting failed\n"), 1;
        }
        done += part;
        if (WaitVisible(pane, Marker("fill", done - 1)) < 0) return std::printf("fill lines did not show\n"), 1;
    }
    std::printf("filled: %d lines in %.1f s\n", lines, (NowMs() - start) / 1000);
    return 0;
}

int Latency(int port, HWND pane, int samples, const char* label) {
    std::vector<double> ms;
    srand(GetTickCount());
    for (int i = 0; i < samples; ++i) {
        // Lines come at any moment of the poll cycle.
        Sleep(static_cast<DWORD>(rand() % static_cast<int>(kTickMs)));
        const std::string marker = Marker("lat", i);
        const double posted = NowMs();
        if (!Say(port, marker, true)) return std::printf("posting failed\n"), 1;
        double seen = WaitVisible(pane, marker);
        if (seen < 0) return std::printf("line %d did not show\n", i), 1;
        ms.push_back(seen - posted);
    }
    double median = Percentile(ms, 0.5), p90 = Percentile(ms, 0.9);
    std::printf("latency %-10s median %6.0f ms = %.2f tick   p90 %6.0f ms = %.2f tick   (%d lines)\n", label, median,
                median / kTickMs, p90, p90 / kTickMs, samples);
    return 0;
}

int Rate(int port, HWND pane, double perSecond, double seconds) {
    const double start = NowMs();
    int n = 0;
    for (; n < perSecond * seconds; ++n) {
        double due = start + n * 1000.0 / perSecond;
        while (NowMs() < due) Sleep(5);
        if (!Say(port, Marker("rate", n), false)) return std::printf("posting failed\n"), 1;
    }
    return WaitVisible(pane, Marker("rate", n - 1)) < 0 ? 1 : 0;
}

int Burst(int port, HWND pane, int lines, int rounds) {
    std::vector<double> lastPost, firstPost;
    for (int r = 0; r < rounds; ++r) {
        Sleep(1000 + static_cast<DWORD>(rand() % 500));
        const double first = NowMs();
        std::string last;
        for (int i = 0; i < lines; ++i) {
            last = Marker(("burst" + std::to_string(r) + "n").c_str(), i);
            if (!Say(port, last, true)) return std::printf("posting failed\n"), 1;
        }
        const double posted = NowMs();
        double seen = WaitVisible(pane, last);
        if (seen < 0) return std::printf("burst did not show\n"), 1;
        lastPost.push_back(seen - posted);
        firstPost.push_back(seen - first);
    }
    std::printf("burst of %d lines into a full pane: last visible %.0f ms after the last post (%.0f ms after the "
                "first; median of %d)\n",
                lines, Percentile(lastPost, 0.5), Percentile(firstPost, 0.5), rounds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: e2e_bench fill|latency|rate|burst <control-port> ...\n");
        return 2;
    }
    WSADATA wsa;
    WSAStartup(0x0101, &wsa);
    const std::string command = argv[1];
    const int port = std::atoi(argv[2]);
    HWND pane = FindPane();
    if (!pane) return std::printf("no chat pane\n"), 1;
    if (command == "fill") return Fill(port, pane, std::atoi(argv[3]));
    if (command == "latency" && argc == 5) return Latency(port, pane, std::atoi(argv[3]), argv[4]);
    if (command == "rate" && argc == 5) return Rate(port, pane, std::atof(argv[3]), std::atof(argv[4]));
    if (command == "burst" && argc == 5) return Burst(port, pane, std::atoi(argv[3]), std::atoi(argv[4]));
    std::printf("bad arguments\n");
    return 2;
}
