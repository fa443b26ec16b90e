#include <gtest/gtest.h>

#include <string>

#include "config/config_file.h"
#include "config/config_folder.h"
#include "config/config_test_support.h"
#include "core/files.h"

namespace vellora {
namespace {

using test::ReadSettingsFile;
using test::RecordingEffects;
using test::WriteSettingsFile;

std::string Utf16LeWithMark(std::wstring_view text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(static_cast<unsigned>(c) & 0xFF);
        bytes += static_cast<char>((static_cast<unsigned>(c) >> 8) & 0xFF);
    }
    return bytes;
}

void ExpectSameSettings(const Settings& a, const Settings& b) {
#define SAME(field) EXPECT_EQ(a.field, b.field) << #field;
    SAME(AutoLogin) SAME(SingleWindow) SAME(DialogToaster) SAME(ErrorToaster) SAME(ExcludeDialogMessages)
    SAME(IdleToaster) SAME(FriendsPopup) SAME(SuppressDialogs) SAME(PostSongs) SAME(RetrieveUserAges) SAME(ShowTimes)
    SAME(ShowToolTips) SAME(StatusBar) SAME(GrayOrHilightUsersMode) SAME(GrayOrHilightUsersIdleTime)
    SAME(AutoHideDialogTextBoxes) SAME(SoundFile) SAME(SoundPlay)
#undef SAME
}

// Every value away from its start value.
Settings UnusualSettings() {
    Settings s;
    s.AutoLogin = true;
    s.SingleWindow = false;
    s.DialogToaster = false;
    s.ErrorToaster = true;
    s.ExcludeDialogMessages = true;
    s.IdleToaster = true;
    s.FriendsPopup = 3;
    s.SuppressDialogs = true;
    s.PostSongs = true;
    s.RetrieveUserAges = true;
    s.ShowTimes = true;
    s.ShowToolTips = 0;
    s.StatusBar = false;
    s.GrayOrHilightUsersMode = 3;
    s.GrayOrHilightUsersIdleTime = 60;
    s.AutoHideDialogTextBoxes = true;
    s.SoundFile = L"C:\\Kl\u00E4nge\\ding dong.wav";
    s.SoundPlay = true;
    return s;
}

class ConfigFileTest : public ::testing::Test {
protected:
    // A full reading of Account into fresh state.
    void ReadAll(const std::wstring& account) { ApplyConfig(account, true, session, settings, lists, effects); }
    void ReadPassword(const std::wstring& account) {
        ApplyConfig(account, false, session, settings, lists, effects);
    }

    test::TempAppData appData;
    Session session;
    Settings settings;
    RelationLists lists;
    RecordingEffects effects;
};

TEST_F(ConfigFileTest, FileHoldsEveryKeyInItsOrderAsUtf16WithMark) {
    Session writer;
    writer.ConfigName = L"bob";
    ASSERT_TRUE(SaveConfig(writer, Settings{}, RelationLists{}));
    std::wstring expected =
        L"AutoLogin=0\r\nSingleWindow=1\r\nDialogToaster=1\r\nErrorToaster=0\r\nExcludeDialogMessages=0\r\n"
        L"IdleToaster=0\r\nFriendsPopup=1\r\nSuppressDialogs=0\r\nPostSongs=0\r\nRetrieveUserAges=0\r\n"
        L"ShowTimes=0\r\nShowToolTips=2\r\nStatusBar=1\r\nGrayOrHilightUsersMode=2\r\n"
        L"GrayOrHilightUsersIdleTime=15\r\nAutoHideDialogTextBoxes=0\r\nSoundFile=\r\nSoundPlay=0\r\n"
        L"Friends=\r\nBanned=\r\n";
    EXPECT_EQ(ReadSettingsFile(L"bob"), Utf16LeWithMark(expected));
}

TEST_F(ConfigFileTest, EverySettingSurvivesTheRoundTrip) {
    Session writer;
    writer.ConfigName = L"Bob";
    writer.SavedPassword = L"geheim \u00E4\u00F6";
    Settings written = UnusualSettings();
    RelationLists writtenLists;
    writtenLists.Friends = {L"Anna", L"\u00C4lice", L"club-team: Zed"};
    writtenLists.Banned = {L"troll"};
    writtenLists.TempIgnored = {L"never stored"};
    ASSERT_TRUE(SaveConfig(writer, written, writtenLists));

    ReadAll(L"Bob");
    ExpectSameSettings(settings, written);
    EXPECT_EQ(lists.Friends, writtenLists.Friends);
    EXPECT_EQ(lists.Banned, writtenLists.Banned);
    EXPECT_TRUE(lists.TempIgnored.empty());
    EXPECT_TRUE(session.Password.empty()) << "the full reading leaves the password alone";
    EXPECT_EQ(effects.calls, (std::vector<std::wstring>{L"Check 1081 on", L"FriendsToasterChanged", L"Check 1080 on",
                                                        L"SetToolTipVar 0", L"StatusBar hidden", L"RealResize true"}));

    // The login form's reading of the same file.
    Session login;
    Settings loginSettings;
    RecordingEffects loginEffects;
    ApplyConfig(L"Bob", false, login, loginSettings, lists, loginEffects);
    EXPECT_EQ(login.Password, L"geheim \u00E4\u00F6");
    EXPECT_EQ(login.SavedPassword, L"geheim \u00E4\u00F6");
    EXPECT_TRUE(loginSettings.AutoLogin);
}

TEST_F(ConfigFileTest, NoPasswordWithoutASavedOneOrFromAMalformedLine) {
    Session writer;
    writer.ConfigName = L"carol";
    writer.Password = L"typed but not remembered";
    ASSERT_TRUE(SaveConfig(writer, Settings{}, RelationLists{}));
    EXPECT_EQ(ReadSettingsFile(L"carol").find(Utf16LeWithMark(L"Password").substr(2)), std::string::npos);

    session.Password = L"from the form";
    ReadPassword(L"carol");
    EXPECT_EQ(session.Password, L"from the form");
    EXPECT_TRUE(session.SavedPassword.empty());

    // A malformed value gives an empty password; the rest is read.
    for (const char* value : {"ABC", "G0", "0"}) {
        WriteSettingsFile(L"hal", std::string("Password=") + value + "\r\nAutoLogin=1\r\n");
        Session reader;
        reader.Password = L"before";
        ApplyConfig(L"hal", false, reader, settings, lists, effects);
        EXPECT_TRUE(reader.Password.empty()) << value;
        EXPECT_TRUE(reader.SavedPassword.empty()) << value;
        EXPECT_TRUE(settings.AutoLogin) << value;
    }
}

TEST_F(ConfigFileTest, NothingIsWrittenWithoutAnAccount) {
    EXPECT_FALSE(SaveConfig(Session{}, Settings{}, RelationLists{}));
    EXPECT_TRUE(ListFiles(ConfigFolder(), std::wstring(kConfigPattern)).empty());
}

TEST_F(ConfigFileTest, EightBitFileWithLooseKeysAndValues) {
    WriteSettingsFile(L"dora",
                      "AUTOLOGIN=1\r\n"
                      "SingleWindow =0\r\n"              // the blank belongs to the key: not recognised
                      "GrayOrHilightUsersMode=3\r\n"
                      "GrayOrHilightUsersMode=7\r\n"     // out of range: the 3 stays
                      "GrayOrHilightUsersIdleTime=2\r\n" // out of range: the default stays
                      "ShowTimes=yes\r\n"                // not a number: false
                      "DialogToaster=-1\r\n"
                      "ErrorPopup=1\r\n"
                      "StatusBar=0x\r\n"
                      "FriendsPopup=2.6\r\n"             // rounded
                      "ShowToolTips=3\r\n"               // out of range: no call
                      "PostSongs=1\r\nPostSongs=0\r\n"   // the last one counts
                      "a line without an equals sign\r\n"
                      "Unknown=1\r\n"
                      "SoundFile=C:\\ding \xE4=\xFC.wav\r\n"
                      "Friends= a, ,b,,\r\n"
                      "Banned=x\r\n"
                      "Friends=c\r\n"
                      "RetrieveUserAges=1");             // the last line needs no end
    settings.ShowTimes = true;
    ReadAll(L"dora");
    EXPECT_TRUE(settings.AutoLogin);
    EXPECT_TRUE(settings.SingleWindow);
    EXPECT_EQ(settings.GrayOrHilightUsersMode, 3);
    EXPECT_EQ(settings.GrayOrHilightUsersIdleTime, 15);
    EXPECT_FALSE(settings.ShowTimes);
    EXPECT_TRUE(settings.DialogToaster);
    EXPECT_TRUE(settings.ErrorToaster);
    EXPECT_FALSE(settings.StatusBar);
    EXPECT_EQ(settings.FriendsPopup, 3);
    EXPECT_EQ(settings.ShowToolTips, 2);
    EXPECT_FALSE(settings.PostSongs);
    EXPECT_EQ(settings.SoundFile, L"C:\\ding \u00E4=\u00FC.wav");
    EXPECT_EQ(lists.Friends, (RelationList{L"a", L"b", L"c"}));
    EXPECT_EQ(lists.Banned, (RelationList{L"x"}));
    EXPECT_TRUE(settings.RetrieveUserAges);
    EXPECT_EQ(effects.calls, (std::vector<std::wstring>{L"Check 1080 off", L"FriendsToasterChanged",
                                                        L"StatusBar hidden", L"RealResize true"}));
}

TEST_F(ConfigFileTest, FriendsPopupOffMarksTheEntryPopupDone) {
    WriteSettingsFile(L"fay", Utf16LeWithMark(L"FriendsPopup=0\r\n"));
    ReadAll(L"fay");
    EXPECT_EQ(settings.FriendsPopup, 0);
    EXPECT_EQ(effects.calls, (std::vector<std::wstring>{L"FriendsToasterChanged", L"FriendsAtEntryDone",
                                                        L"StatusBar shown", L"RealResize true"}));
    // The login form's reading never marks it.
    effects.calls.clear();
    ReadPassword(L"fay");
    EXPECT_EQ(effects.calls, (std::vector<std::wstring>{L"StatusBar shown", L"RealResize true"}));
}

TEST_F(ConfigFileTest, MissingOrEmptyFileLeavesTheDefaults) {
    settings = UnusualSettings();
    ReadAll(L"nobody");
    // Only the seven values reset on every reading change.
    Settings expected = UnusualSettings();
    expected.AutoLogin = false;
    expected.SingleWindow = true;
    expected.FriendsPopup = 1;
    expected.StatusBar = true;
    expected.GrayOrHilightUsersMode = 2;
    expected.GrayOrHilightUsersIdleTime = 15;
    expected.DialogToaster = true;
    ExpectSameSettings(settings, expected);
    EXPECT_EQ(effects.calls, (std::vector<std::wstring>{L"StatusBar shown", L"RealResize true"}));

    WriteSettingsFile(L"empty", "");
    settings = UnusualSettings();
    ReadAll(L"empty");
    ExpectSameSettings(settings, expected);
}

TEST_F(ConfigFileTest, PasswordOnlyReadingLeavesEverythingElseAlone) {
    Session writer;
    writer.ConfigName = L"gil";
    writer.SavedPassword = L"pw";
    RelationLists stored;
    stored.Friends = {L"stored friend"};
    ASSERT_TRUE(SaveConfig(writer, UnusualSettings(), stored));

    settings.SoundFile = L"mine.wav";
    settings.ShowToolTips = 1;
    settings.StatusBar = false;
    Settings expected = settings;
    expected.AutoLogin = true;   // read from the file
    expected.StatusBar = true;   // reset to its default by every reading
    lists.Friends = {L"present"};
    ReadPassword(L"gil");
    EXPECT_EQ(session.Password, L"pw");
    ExpectSameSettings(settings, expected);
    EXPECT_EQ(lists.Friends, (RelationList{L"present"}));
    EXPECT_EQ(effects.calls, (std::vector<std::wstring>{L"StatusBar shown", L"RealResize true"}));
}

TEST_F(ConfigFileTest, PasswordIsKeyedByTheLowerCasedAccountName) {
    Session writer;
    writer.ConfigName = L"BoB";
    writer.SavedPassword = L"Sesam123";
    ASSERT_TRUE(SaveConfig(writer, Settings{}, RelationLists{}));
    std::string bytes = ReadSettingsFile(L"BoB");

    ReadPassword(L"BoB");
    EXPECT_EQ(session.Password, L"Sesam123");

    // The same file under the name typed in small letters reads alike ...
    WriteSettingsFile(L"bob", bytes);
    Session lower;
    ApplyConfig(L"bob", false, lower, settings, lists, effects);
    EXPECT_EQ(lower.Password, L"Sesam123");

    // ... but not under another account's name.
    WriteSettingsFile(L"alice", bytes);
    Session other;
    ApplyConfig(L"alice", false, other, settings, lists, effects);
    EXPECT_TRUE(other.Password.empty());
}

TEST_F(ConfigFileTest, LineBreaksInValuesDoNotBreakTheFile) {
    Session writer;
    writer.ConfigName = L"ida";
    Settings written;
    written.SoundFile = L"C:\\x.wav\r\nPostSongs=1";
    RelationLists writtenLists;
    writtenLists.Friends = {L"ok", L"bad\nname", L"also\rbad", L"fine"};
    writtenLists.Banned = {L"evil\r\nAutoLogin=1"};
    ASSERT_TRUE(SaveConfig(writer, written, writtenLists));

    ReadAll(L"ida");
    EXPECT_TRUE(settings.SoundFile.empty());
    EXPECT_FALSE(settings.PostSongs);
    EXPECT_FALSE(settings.AutoLogin);
    EXPECT_EQ(lists.Friends, (RelationList{L"ok", L"fine"}));
    EXPECT_TRUE(lists.Banned.empty());
}

TEST_F(ConfigFileTest, CutOffAndHugeFilesReadWithoutHarm) {
    // A UTF-16 file that ends in the middle of a character keeps the rest.
    WriteSettingsFile(L"jan", Utf16LeWithMark(L"ShowTimes=1\r\nSoundPlay=1") + "\x0D");
    ReadAll(L"jan");
    EXPECT_TRUE(settings.ShowTimes);
    EXPECT_TRUE(settings.SoundPlay);

    // A line of 1 MiB, and a number of a million digits.
    std::wstring text = L"SoundFile=" + std::wstring(1 << 20, L'a') + L"\r\n" + std::wstring(1 << 20, L'k') +
                        L"\r\nGrayOrHilightUsersMode=" + std::wstring(1 << 20, L'9') + L"\r\nIdleToaster=1\r\n";
    WriteSettingsFile(L"kim", Utf16LeWithMark(text));
    settings = Settings{};
    ReadAll(L"kim");
    EXPECT_EQ(settings.SoundFile.size(), std::size_t{1} << 20);
    EXPECT_EQ(settings.GrayOrHilightUsersMode, 2);
    EXPECT_TRUE(settings.IdleToaster);

    // 64 MiB or more: not read at all.
    std::string huge = "ShowTimes=1\r\n";
    huge.resize(kConfigFileLimit, ' ');
    WriteSettingsFile(L"lea", huge);
    settings = Settings{};
    ReadAll(L"lea");
    EXPECT_FALSE(settings.ShowTimes);
}

}  // namespace
}  // namespace vellora
