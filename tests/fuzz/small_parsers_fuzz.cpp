// The client's small parsers on arbitrary bytes (the first byte picks one):
// - endpoints.ini: only dotted addresses and host names without blanks or
//   line breaks are taken, and the result reads back from its file form;
// - login answers: no cookie or user id smuggles a line into the requests
//   built with it, and a user id taken is a canonical 32-bit number;
// - profile pages: no negative age;
// - the media player's block: never read beyond its end; a refused block
//   leaves the last reading alone;
// - settings files: what was read is saved, and reads back to the same bytes.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "chat/endpoints.h"
#include "chat/login.h"
#include "chat/requests.h"
#include "config/config_file.h"
#include "config/config_folder.h"
#include "config/config_test_support.h"
#include "core/files.h"
#include "fuzz/fuzz_input.h"
#include "song/player_info.h"
#include "view/profiles.h"

namespace {

using namespace vellora;
using fuzz::Require;

std::string FileForm(const Endpoints& e) {
    return "ClubAddress=" + e.ClubAddress + "\nChatAddress=" + e.ChatAddress + "\nClubHost=" + e.ClubHost +
           "\nMediaHost=" + e.MediaHost + "\nChatHost=" + e.ChatHost + "\nPort=" + std::to_string(e.Port);
}

std::size_t LineEnds(const std::string& request) { return std::count(request.begin(), request.end(), '\n'); }

// Reads the settings file as the login form and the login do, saves what was
// read; the bytes saved.
std::string ReadAndSave() {
    Session session;
    session.ConfigName = L"Fuzz";
    Settings settings;
    RelationLists lists;
    test::RecordingEffects effects;
    ApplyConfig(session.ConfigName, false, session, settings, lists, effects);
    ApplyConfig(session.ConfigName, true, session, settings, lists, effects);
    session.SavedPassword = session.Password;
    Require(SaveConfig(session, settings, lists), "the settings could not be saved");
    return ReadFileBytes(ConfigFilePath(session.ConfigName), kConfigFileLimit).value_or("");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Endpoints plain;
    if (data[0] % 5 == 0) {
        const Endpoints e = ParseEndpoints(text);
        const std::string hosts = e.ClubHost + e.MediaHost + e.ChatHost;
        Require(IsDottedIPv4(e.ClubAddress) && IsDottedIPv4(e.ChatAddress) && e.Port != 0 &&
                    hosts.find_first_of(" \t\r\n:/") == std::string::npos &&
                    FileForm(ParseEndpoints(FileForm(e), {"1.1.1.1", "1.1.1.1", "x", "x", "x", 1})) == FileForm(e),
                "a bad endpoint taken, or not read back from its file form");
    } else if (data[0] % 5 == 1) {
        std::string php = "x", java = "x", id = "1";
        const std::size_t lines = LineEnds(ChatEnterRequest(plain, id, php) + ParticipateRequest(plain, java));
        FindCookie(text, "Set-Cookie: PHPSESSID=", php);
        FindCookie(text, "Set-Cookie: JSESSIONID=", java);
        if (ReadUserId(text, id)) Require(IsCanonicalInt32(id), "a user id that is no canonical number");
        Require(LineEnds(ChatEnterRequest(plain, id, php) + ParticipateRequest(plain, java)) == lines,
                "a cookie or user id added a header line");
    } else if (data[0] % 5 == 2) {
        std::optional<ProfileFacts> facts = ReadProfilePage(text);
        Require(!facts || facts->Age >= 0, "a negative age");
    } else if (data[0] % 5 == 3) {
        // Exactly this many bytes, so that one more byte read is caught.
        std::unique_ptr<unsigned char[]> block(new unsigned char[text.size() + 1]);
        std::memcpy(block.get(), text.data(), text.size());
        PlayerInfo info;
        info.Title = L"before";
        bool read = ReadPlayerBlock(block.get(), text.size(), info);
        Require(read ? info.Title.find(L'\0') == std::wstring::npos : info.Title == L"before", "a bad reading");
    } else {
        static const bool folderSet = [] {
            char pattern[] = "/tmp/vellora-config-fuzz-XXXXXX";
            if (::mkdtemp(pattern)) OverrideAppDataFolder(std::wstring(pattern, pattern + sizeof pattern - 1));
            return true;
        }();
        Require(folderSet && WriteFileBytes(ConfigFilePath(L"Fuzz"), text), "the file could not be written");
        const std::string saved = ReadAndSave();
        Require(ReadAndSave() == saved, "what was read did not come back");
    }
    return 0;
}
