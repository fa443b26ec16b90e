#include "support/simulator.h"

#include "support/chat_requests.h"
#include "support/platform.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifndef VELLORA_SERVER_PATH
#define VELLORA_SERVER_PATH ""
#endif

namespace vellora::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kStartLimit = 15s;
constexpr std::uint32_t kControlTimeoutMs = 30000;

bool ReadPorts(const std::string& path, std::uint16_t& port, std::uint16_t& controlPort) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    int found = 0;
    while (std::getline(in, line)) {
        if (line.rfind("port=", 0) == 0) {
            port = static_cast<std::uint16_t>(std::atoi(line.c_str() + 5));
            ++found;
        } else if (line.rfind("control_port=", 0) == 0) {
            controlPort = static_cast<std::uint16_t>(std::atoi(line.c_str() + 13));
            ++found;
        }
    }
    return found == 2 && port != 0 && controlPort != 0;
}

std::vector<std::string> ServerArguments(const SimulatorConfig& config, const std::string& readyFile) {
    std::vector<std::string> args = {"--port",         "0",
                                     "--control-port", "0",
                                     "--ready-file",   readyFile,
                                     "--seed",         std::to_string(config.seed),
                                     "--idle-exit",    std::to_string(config.idleExitS)};
    if (config.quiet) {
        args.push_back("--quiet");
    } else {
        args.push_back("--members");
        args.push_back(std::to_string(config.members));
    }
    args.insert(args.end(), config.extraArgs.begin(), config.extraArgs.end());
    return args;
}

#ifdef _WIN32
using ToUnixFn = char*(CDECL*)(LPCWSTR);
using ToDosFn = WCHAR*(CDECL*)(const char*);

template <typename Fn>
Fn WineFunction(const char* name) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

std::wstring Widen(const std::string& s) {
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<std::size_t>(n - 1) : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? static_cast<std::size_t>(n - 1) : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring QuoteArgument(const std::string& arg) { return L"\"" + Widen(arg) + L"\""; }
#endif

}  // namespace

std::string Simulator::ServerPath() {
    const char* fromEnvironment = std::getenv("VELLORA_SERVER");
    if (fromEnvironment && *fromEnvironment) return fromEnvironment;
    return VELLORA_SERVER_PATH;
}

Simulator::Simulator(SimulatorConfig config) { running_ = Start(config) && WaitReady(); }

Simulator::~Simulator() { Stop(); }

#ifdef _WIN32

bool Simulator::Start(const SimulatorConfig& config) {
    std::string path = ServerPath();
    auto toUnix = WineFunction<ToUnixFn>("wine_get_unix_file_name");
    auto toDos = WineFunction<ToDosFn>("wine_get_dos_file_name");
    if (!toUnix || !toDos) {
        error_ = "the simulator is a Linux program: it can only be started under Wine";
        return false;
    }
    WCHAR* dosPath = path.empty() ? nullptr : toDos(path.c_str());
    bool exists = dosPath && GetFileAttributesW(dosPath) != INVALID_FILE_ATTRIBUTES;
    if (dosPath) HeapFree(GetProcessHeap(), 0, dosPath);
    if (!exists) {
        error_ = "vellora-server not found at '" + path +
                 "': build the native preset first (tools/test native) or set VELLORA_SERVER";
        return false;
    }
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    std::wstring dir = std::wstring(temp) + L"vellora-sim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                       std::to_wstring(++counter) + L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(dir.c_str(), nullptr);
    tempDir_ = Narrow(dir);
    readyPath_ = tempDir_ + "\\ready";
    char* unixDir = toUnix(dir.c_str());
    if (!unixDir) {
        error_ = "no Unix path for " + tempDir_;
        return false;
    }
    std::string unixReady = std::string(unixDir) + "/ready";
    HeapFree(GetProcessHeap(), 0, unixDir);

    std::wstring commandLine = QuoteArgument(path);
    for (const auto& arg : ServerArguments(config, unixReady)) commandLine += L" " + QuoteArgument(arg);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        error_ = "CreateProcessW failed for " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // Wine hands back handles it cannot wait on or end for a Unix program.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void Simulator::Stop() {
    if (running_) {
        Shutdown();
        // Wait until the control port no longer answers.
        auto until = Clock::now() + 5s;
        while (Clock::now() < until && Control("/ping").Ok()) {
            std::this_thread::sleep_for(20ms);
        }
        running_ = false;
    }
    if (!tempDir_.empty()) {
        DeleteFileW(Widen(readyPath_).c_str());
        RemoveDirectoryW(Widen(tempDir_).c_str());
    }
}

#else

bool Simulator::Start(const SimulatorConfig& config) {
    std::string path = ServerPath();
    if (path.empty() || access(path.c_str(), X_OK) != 0) {
        error_ = "vellora-server not found at '" + path +
                 "': build the native preset first (tools/test native) or set VELLORA_SERVER";
        return false;
    }
    char dir[] = "/tmp/vellora-sim-XXXXXX";
    if (!mkdtemp(dir)) {
        error_ = "mkdtemp failed";
        return false;
    }
    tempDir_ = dir;
    readyPath_ = tempDir_ + "/ready";
    std::vector<std::string> args = ServerArguments(config, readyPath_);
    args.insert(args.begin(), path);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        error_ = "fork failed";
        return false;
    }
    if (pid == 0) {
        int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    pid_ = pid;
    return true;
}

void Simulator::Stop() {
    if (pid_ > 0) {
        if (running_) Shutdown();
        auto until = Clock::now() + 5s;
        int status = 0;
        pid_t done = 0;
        while ((done = waitpid(static_cast<pid_t>(pid_), &status, WNOHANG)) == 0 && Clock::now() < until) {
            std::this_thread::sleep_for(10ms);
        }
        if (done == 0) {
            kill(static_cast<pid_t>(pid_), SIGKILL);
            waitpid(static_cast<pid_t>(pid_), &status, 0);
        }
        pid_ = 0;
    }
    running_ = false;
    if (!tempDir_.empty()) {
        unlink(readyPath_.c_str());
        unlink((readyPath_ + ".tmp").c_str());
        rmdir(tempDir_.c_str());
    }
}

#endif

bool Simulator::WaitReady() {
    auto until = Clock::now() + kStartLimit;
    while (Clock::now() < until) {
        if (ReadPorts(readyPath_, port_, controlPort_)) return true;
#ifndef _WIN32
        int status = 0;
        if (waitpid(static_cast<pid_t>(pid_), &status, WNOHANG) == static_cast<pid_t>(pid_)) {
            pid_ = 0;
            error_ = "vellora-server ended before it was ready (status " + std::to_string(status) + ")";
            return false;
        }
#endif
        std::this_thread::sleep_for(20ms);
    }
    error_ = "vellora-server did not write " + readyPath_ + " within 15 s";
    return false;
}

ControlAnswer Simulator::Control(const std::string& command, const ControlParams& params) {
    ControlAnswer result;
    if (controlPort_ == 0) return result;
    std::string form;
    for (const auto& [key, value] : params) {
        if (!form.empty()) form += '&';
        form += PercentEncodeAll(key) + "=" + PercentEncodeAll(value);
    }
    std::string request = "POST " + command + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: " +
                          "application/x-www-form-urlencoded\r\nContent-Length: " + std::to_string(form.size()) +
                          "\r\nConnection: close\r\n\r\n" + form;
    // The control port answers with its length, so the client's own HTTP
    // code reads it without waiting for silence.
    std::string answer;
    EnsureSocketsStarted();
    if (!Fetch(controlPort_, request, answer, true, kControlTimeoutMs)) return result;
    std::size_t space = answer.find(' ');
    std::size_t bodyAt = answer.find("\r\n\r\n");
    if (space == std::string::npos || bodyAt == std::string::npos) return result;
    result.status = std::atoi(answer.c_str() + space + 1);
    result.body = answer.substr(bodyAt + 4);
    return result;
}

bool Simulator::Say(const std::string& user, const std::string& text, bool bytes) {
    ControlParams p = {{"user", user}, {"text", text}};
    if (bytes) p.push_back({"bytes", "1"});
    return Control("/say", p).Ok();
}

bool Simulator::AddMember(const SimMember& m) {
    return Control("/member/add", {{"name", m.name}, {"age", m.age}, {"place", m.place},
                                   {"gender", std::string(1, m.gender)}, {"picture", m.picture}})
        .Ok();
}

bool Simulator::RemoveMember(const std::string& name) { return Control("/member/remove", {{"name", name}}).Ok(); }

bool Simulator::SetCounts(long long chatters, long long listeners) {
    return Control("/counts", {{"chatters", chatters < 0 ? "auto" : std::to_string(chatters)},
                               {"listeners", std::to_string(listeners)}})
        .Ok();
}

bool Simulator::SetFraming(const std::string& endpoint, const std::string& mode) {
    return Control("/framing", {{"endpoint", endpoint}, {"mode", mode}}).Ok();
}

bool Simulator::SetFault(const std::string& endpoint, const std::string& kind, const ControlParams& more) {
    ControlParams p = {{"endpoint", endpoint}, {"kind", kind}};
    p.insert(p.end(), more.begin(), more.end());
    return Control("/fault", p).Ok();
}

std::vector<RawRequest> Simulator::Requests(int n, const std::string& endpoint) {
    std::vector<RawRequest> out;
    ControlAnswer a = Control("/requests", {{"n", std::to_string(n)}, {"endpoint", endpoint}});
    if (!a.Ok()) return out;
    // "ok", "requests K", then per request a line "request SEQ ENDPOINT LENGTH",
    // LENGTH bytes and a line end.
    std::size_t pos = a.body.find("requests ");
    if (pos == std::string::npos) return out;
    pos = a.body.find('\n', pos);
    while (pos != std::string::npos && pos + 1 < a.body.size()) {
        std::size_t lineEnd = a.body.find('\n', pos + 1);
        if (lineEnd == std::string::npos) break;
        std::istringstream head(a.body.substr(pos + 1, lineEnd - pos - 1));
        std::string word;
        RawRequest r;
        std::size_t length = 0;
        if (!(head >> word >> r.seq >> r.endpoint >> length) || word != "request") break;
        if (lineEnd + 1 + length > a.body.size()) break;
        r.bytes = a.body.substr(lineEnd + 1, length);
        out.push_back(std::move(r));
        pos = lineEnd + 1 + length;
    }
    return out;
}

bool Simulator::ClearRequests() { return Control("/requests/clear").Ok(); }

bool Simulator::Shutdown() { return Control("/shutdown").Ok(); }

}  // namespace vellora::test
