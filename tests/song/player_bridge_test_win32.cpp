#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "song/player_bridge_win32.h"

namespace vellora {
namespace {

// The stand-in's path as the build wrote it; a Unix path (cross build run
// under Wine) is reached through drive Z:.
std::wstring StandInPath() {
    std::string path = VELLORA_STANDIN_PLAYER;
    std::wstring wide(path.begin(), path.end());
    if (!wide.empty() && wide[0] == L'/') {
        for (wchar_t& c : wide) {
            if (c == L'/') c = L'\\';
        }
        wide = L"Z:" + wide;
    }
    return wide;
}

std::wstring TempFilePath(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name + std::to_wstring(GetCurrentProcessId()) + L".txt";
}

void WriteUtf8(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
}

HWND FindPlayer() { return FindWindowW(L"SonarVista10046CustomClassMSG", L"SonarVista"); }

// The stand-in player as a second process; ended when the test is over,
// whatever happened.
class StandInPlayer {
public:
    explicit StandInPlayer(const std::wstring& songFile) {
        std::wstring commandLine = L"\"" + StandInPath() + L"\" --file \"" + songFile + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            return;
        }
        for (int i = 0; i < 200 && !window_; ++i) {
            Sleep(50);
            window_ = FindPlayer();
        }
    }
    ~StandInPlayer() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    StandInPlayer(const StandInPlayer&) = delete;
    StandInPlayer& operator=(const StandInPlayer&) = delete;

    HWND Window() const { return window_; }
    // Closes the player as a user would; true when it ended.
    bool Close() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

TEST(PlayerBridge, ReadsTheStandInPlayersItem) {
    PlayerInfo info;
    ASSERT_EQ(FindPlayer(), nullptr) << "another player is running";
    EXPECT_FALSE(ReadPlayerState(info)) << "no player, no song";

    std::wstring songFile = TempFilePath(L"vellora-song-");
    WriteUtf8(songFile,
              "Title=M\xC3\xBCller & S\xC3\xB6hne - \xC3\x84rger im Gl\xC3\xBC"
              "ck\r\nKind=4\r\nNumber=245000\r\nAux=9\r\n");
    StandInPlayer player(songFile);
    ASSERT_NE(player.Window(), nullptr) << "the stand-in player did not start";

    ASSERT_TRUE(ReadPlayerState(info));
    EXPECT_EQ(info.Title, L"M\u00FCller & S\u00F6hne - \u00C4rger im Gl\u00FCck");
    EXPECT_EQ(info.Valid, 1);
    EXPECT_EQ(info.Kind, 4);
    EXPECT_EQ(info.Number, 245000);
    EXPECT_EQ(info.Aux, 9);

    // The player reads its file on every request: the next song.
    WriteUtf8(songFile, "Title=Next One\r\nKind=2\r\nNumber=-1\r\nValid=0\r\n");
    ASSERT_TRUE(ReadPlayerState(info));
    EXPECT_EQ(info.Title, L"Next One");
    EXPECT_EQ(info.Valid, 0);
    EXPECT_EQ(info.Number, -1);

    // Answers outside 1 to 511, and a title without its terminating zero,
    // count as no song and leave the last answer alone.
    for (const char* bad :
         {"Title=x\r\nReply=0\r\n", "Title=x\r\nReply=512\r\n", "Title=endless\r\nUnterminated=1\r\n"}) {
        WriteUtf8(songFile, bad);
        EXPECT_FALSE(ReadPlayerState(info)) << bad;
        EXPECT_EQ(info.Title, L"Next One") << bad;
    }

    // Closed player: no song.
    EXPECT_TRUE(player.Close());
    EXPECT_FALSE(ReadPlayerState(info));
    DeleteFileW(songFile.c_str());
}

}  // namespace
}  // namespace vellora
