// Reading and writing a settings file on disk: defaults, numbers, buffer cuts, atomic
// rewrites and the broken or unreachable files that must never stop the program.
#include "settings/Profile.h"

#include "TempFolder.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using halcyx::Profile;
using halcyx::test::readFile;
using halcyx::test::TempFolder;
using halcyx::test::writeFile;
using namespace std::string_literals;

namespace {

TEST(Profile, ReadIntTakesTheLeadingDecimalNumber) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"19200", 19200},
                 {"+7", 7},
                 {"-3", -3},
                 {"12abc", 12},
                 {"abc", 0},
                 {"", 0},
                 {"0x10", 0},
                 {"- 4", 0},
                 {"99999999999", INT_MAX},
                 {"-99999999999", INT_MIN}};
    TempFolder folder;
    const Profile profile(folder / "h.ini");
    EXPECT_EQ(profile.readInt("A", "k", 42), 42) << "no file";
    for (const auto& c : cases) {
        writeFile(profile.path(), "[A]\nk="s + c.value + "\n");
        EXPECT_EQ(profile.readInt("A", "k", 42), c.expected) << "value \"" << c.value << "\"";
    }
    EXPECT_EQ(profile.readInt("A", "missing", 42), 42);
}

TEST(Profile, ReadStringCutsValueAndDefaultToTheBufferLessOne) {
    TempFolder folder;
    const Profile profile(folder / "h.ini");
    EXPECT_EQ(profile.readString("A", "k", "C:\\Halcyx", 255), "C:\\Halcyx") << "no file";
    writeFile(profile.path(), "[A]\nk=abcdef\n");
    EXPECT_EQ(profile.readString("A", "k", "", 4), "abc");
    EXPECT_EQ(profile.readString("A", "k", "", 0), "");
    EXPECT_EQ(profile.readString("A", "none", "defaults", 4), "def");
}

TEST(Profile, WriteCreatesFolderFileSectionAndKeyWithCrLf) {
    TempFolder folder;
    const auto file = folder / "deep" / "Halcyx.ini";
    Profile profile(file);
    profile.writeString("COMMPORT", "Port", "2");
    profile.writeString("commport", "Baudrate", "19200");
    profile.writeString("SETTINGS", "CheckInt", "1");
    EXPECT_EQ(readFile(file), "[COMMPORT]\r\nPort=2\r\nBaudrate=19200\r\n\r\n"
                              "[SETTINGS]\r\nCheckInt=1\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file is left beside the settings file";
}

TEST(Profile, HugeValuesAndNulBytesAreHandled) {
    TempFolder folder;
    Profile profile(folder / "h.ini");
    profile.writeString("A", "big", std::string(1 << 20, '7'));
    EXPECT_EQ(profile.readString("A", "big", "", 255), std::string(254, '7'));
    EXPECT_EQ(profile.readInt("A", "big", 0), INT_MAX);
    writeFile(profile.path(), "[A]\0\nk=1\n\0\0\0[B]\nk=5"s);
    EXPECT_EQ(profile.readInt("A", "k", 9), 1);
    EXPECT_EQ(profile.readInt("B", "k", 9), 9) << "a header behind NUL bytes names no section";
}

TEST(Profile, KeepsTheFileModeAndWritesThroughALink) {
    TempFolder folder;
    writeFile(folder / "real.ini", "[A]\nk=1\n");
    ::chmod((folder / "real.ini").c_str(), 0640);
    std::filesystem::create_symlink(folder / "real.ini", folder / "link.ini");
    Profile(folder / "link.ini").writeString("A", "k", "2");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(readFile(folder / "real.ini"), "[A]\r\nk=2\r\n");
    struct stat info {};
    ASSERT_EQ(::stat((folder / "real.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(Profile, PathsThatAreNoSettingsFileGiveDefaultsAndQuietWrites) {
    TempFolder folder;
    writeFile(folder / "plain", "not a folder");
    ASSERT_EQ(::mkfifo((folder / "fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "dir.ini");
    for (const char* name : {"plain/h.ini", "fifo.ini", "dir.ini"}) {
        Profile profile(folder / name);
        profile.writeString("A", "k", "1");
        EXPECT_EQ(profile.readInt("A", "k", 3), 3) << name;
    }
    EXPECT_EQ(readFile(folder / "plain"), "not a folder");
}

TEST(Profile, UnreadableFileIsNeverRewritten) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempFolder folder;
    writeFile(folder / "locked.ini", "[A]\nk=1\nother=keep\n");
    ::chmod((folder / "locked.ini").c_str(), 0200);
    Profile locked(folder / "locked.ini");
    EXPECT_EQ(locked.readInt("A", "k", 5), 5);
    locked.writeString("A", "k", "2");
    ::chmod((folder / "locked.ini").c_str(), 0600);
    EXPECT_EQ(readFile(folder / "locked.ini"), "[A]\nk=1\nother=keep\n");
}

} // namespace
