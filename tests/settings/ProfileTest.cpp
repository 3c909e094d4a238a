// Reading and writing a settings file on disk: defaults, numbers, buffer cuts, atomic
// rewrites and the broken or unreachable files that must never stop the program.
#include "core/settings/Profile.h"

#include "tests/support/TempFolder.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using halcyx::Profile;
using namespace halcyx::test;
using namespace std::string_literals;

namespace {

TEST(Profile, ReadIntTakesTheLeadingDecimalNumber) {
    constexpr int kMax = INT_MAX, kMin = INT_MIN; // out-of-range numbers stop at the limits
    const std::pair<const char*, int> cases[] = {
        {"19200", 19200}, {"+7", 7},   {"-3", -3}, {"12abc", 12},         {"abc", 0},
        {"", 0},          {"0x10", 0}, {"- 4", 0}, {"99999999999", kMax}, {"-99999999999", kMin}};
    TempFolder folder;
    const Profile profile(folder / "h.ini");
    EXPECT_EQ(profile.readInt("A", "k", 42), 42) << "no file";
    for (const auto& [value, expected] : cases) {
        writeFile(profile.path(), "[A]\nk="s + value + "\n");
        EXPECT_EQ(profile.readInt("A", "k", 42), expected) << "value \"" << value << "\"";
    }
    EXPECT_EQ(profile.readInt("A", "missing", 42), 42);
}

TEST(Profile, ReadStringCutsValueAndDefaultToTheBufferLessOne) {
    TempFolder folder;
    Profile profile(folder / "h.ini");
    EXPECT_EQ(profile.readString("A", "k", "C:\\Halcyx", 255), "C:\\Halcyx") << "no file";
    profile.writeString("A", "k", std::string(1 << 20, '7'));
    EXPECT_EQ(profile.readString("A", "k", "", 255), std::string(254, '7'));
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

TEST(Profile, FilesThatCannotBeReadGiveDefaultsAndAreNeverWritten) {
    TempFolder folder;
    writeFile(folder / "plain", "not a folder");
    ASSERT_EQ(::mkfifo((folder / "fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "dir.ini");
    // Rewriting a file it cannot read would throw away every other setting in it.
    writeFile(folder / "locked.ini", "[A]\nk=2\n");
    ::chmod((folder / "locked.ini").c_str(), 0200);
    for (const char* name : {"plain/h.ini", "fifo.ini", "dir.ini", "locked.ini"}) {
        if (name == "locked.ini"s && ::geteuid() == 0)
            continue; // permissions do not bind root
        Profile profile(folder / name);
        profile.writeString("A", "k", "1");
        EXPECT_EQ(profile.readInt("A", "k", 3), 3) << name;
    }
    EXPECT_EQ(readFile(folder / "plain"), "not a folder");
    ::chmod((folder / "locked.ini").c_str(), 0600);
    EXPECT_EQ(readFile(folder / "locked.ini"), "[A]\nk=2\n");
}

} // namespace
