#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "chat/endpoints.h"
#include "core/files.h"

namespace vellora {
namespace {

TEST(Endpoints, EveryKeyOverridesItsDefaultWhateverItsCaseAndBlanks) {
    Endpoints e = ParseEndpoints(
        "\xEF\xBB\xBF  clubaddress = 10.0.0.1 \r\nCHATADDRESS=10.0.0.2\r\nClubHost=club.example\r\n"
        "MediaHost=media.example\nChatHost=chat.example\nPort=8080");
    EXPECT_EQ(e.ClubAddress, "10.0.0.1");
    EXPECT_EQ(e.ChatAddress, "10.0.0.2");
    EXPECT_EQ(e.ClubHost, "club.example");
    EXPECT_EQ(e.MediaHost, "media.example");
    EXPECT_EQ(e.ChatHost, "chat.example");
    EXPECT_EQ(e.Port, 8080);
}

TEST(Endpoints, BadLinesAndValuesKeepTheDefaults) {
    Endpoints defaults;
    Endpoints e = ParseEndpoints(
        "garbage line\n"
        "; ClubAddress=10.9.9.9\n"
        "Unknown=1\n"
        "ClubAddress=club.example\n"        // a name, not an address
        "ChatAddress=10.0.0.256\n"          // out of range
        "ChatAddress=010.0.0.1\n"           // would be read as octal
        "ChatAddress=1.2.3\n"
        "ClubHost=evil\rX-Injected: 1\n"    // would inject a header line
        "MediaHost=bad host\n"
        "ChatHost=\n"
        "Port=0\nPort=70000\nPort=12ab\n");
    EXPECT_EQ(e.ClubAddress, defaults.ClubAddress);
    EXPECT_EQ(e.ChatAddress, defaults.ChatAddress);
    EXPECT_EQ(e.ClubHost, defaults.ClubHost);
    EXPECT_EQ(e.MediaHost, defaults.MediaHost);
    EXPECT_EQ(e.ChatHost, defaults.ChatHost);
    EXPECT_EQ(e.Port, 80);
}

TEST(Endpoints, ReadFromAFileOrDefaultsWithoutOne) {
    Endpoints e = LoadEndpoints(L"no/such/dir/endpoints.ini");
    EXPECT_EQ(e.ClubAddress, "127.0.0.1");
    EXPECT_EQ(e.ChatAddress, "127.0.0.1");
    EXPECT_EQ(e.Port, 80);

    std::string path = ::testing::TempDir() + "vellora_endpoints_test.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "Port=9001\r\nChatHost=chat.local\r\n";
    }
    e = LoadEndpoints(std::wstring(path.begin(), path.end()));
    EXPECT_EQ(e.Port, 9001);
    EXPECT_EQ(e.ChatHost, "chat.local");
    std::remove(path.c_str());
}

TEST(Endpoints, DottedAddresses) {
    EXPECT_TRUE(IsDottedIPv4("255.255.255.0"));
    for (const char* bad : {"127.1", "1.2.3.4.", ".1.2.3", "1.2.3.-4", ""}) EXPECT_FALSE(IsDottedIPv4(bad)) << bad;
}

}  // namespace
}  // namespace vellora
