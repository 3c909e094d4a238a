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

constexpr std::size_t kBuffer = 255;

TEST(Profile, MissingFileGivesDefaults) {
    TempFolder folder;
    const Profile profile(folder / "absent.ini");
    EXPECT_EQ(profile.readString("SETTINGS", "HelpFile", "C:\\Halcyx", kBuffer), "C:\\Halcyx");
    EXPECT_EQ(profile.readInt("COMMPORT", "Baudrate", 9600), 9600);
    EXPECT_FALSE(std::filesystem::exists(folder / "absent.ini")) << "reading creates nothing";
}

TEST(Profile, ReadIntTakesTheLeadingDecimalNumber) {
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"19200", 19200},
        {"+7", 7},
        {"-3", -3},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"0x10", 0},
        {"- 4", 0},
        {"4.5", 4},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        writeFile(folder / "h.ini", std::string("[A]\nk=") + c.value + "\n");
        EXPECT_EQ(Profile(folder / "h.ini").readInt("A", "k", 42), c.expected)
            << "value \"" << c.value << "\"";
    }
    EXPECT_EQ(Profile(folder / "h.ini").readInt("A", "missing", 42), 42);
}

TEST(Profile, ReadStringCutsToTheBufferLessOne) {
    TempFolder folder;
    writeFile(folder / "h.ini", "[A]\nk=abcdef\n");
    const Profile profile(folder / "h.ini");
    EXPECT_EQ(profile.readString("A", "k", "", 4), "abc");
    EXPECT_EQ(profile.readString("A", "k", "", 1), "");
    EXPECT_EQ(profile.readString("A", "k", "", 0), "");
    EXPECT_EQ(profile.readString("A", "none", "defaults", 4), "def") << "the default is cut too";
}

TEST(Profile, WriteCreatesFolderFileSectionAndKeyWithCrLf) {
    TempFolder folder;
    const auto file = folder / "deep" / "er" / "Halcyx.ini";
    Profile profile(file);
    profile.writeString("COMMPORT", "Port", "2");
    profile.writeString("COMMPORT", "Baudrate", "19200");
    profile.writeString("SETTINGS", "CheckInt", "1");
    EXPECT_EQ(readFile(file),
              "[COMMPORT]\r\nPort=2\r\nBaudrate=19200\r\n\r\n[SETTINGS]\r\nCheckInt=1\r\n");
    EXPECT_EQ(profile.readInt("commport", "baudrate", 0), 19200);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file is left beside the settings file";
}

TEST(Profile, RewriteKeepsEveryOtherLineInPlace) {
    TempFolder folder;
    const std::string before = "; operator notes\n[GRAPH]\nTitle = Station 4 \n\n"
                               "garbage here\n[XAXIS]\nX1.Min=0";
    writeFile(folder / "h.ini", before);
    Profile profile(folder / "h.ini");
    profile.writeString("graph", "title", "Station 5");
    EXPECT_EQ(readFile(folder / "h.ini"), "; operator notes\r\n[GRAPH]\r\nTitle=Station 5\r\n\r\n"
                                          "garbage here\r\n[XAXIS]\r\nX1.Min=0\r\n");
}

TEST(Profile, HugeValuesAndNulBytesAreHandled) {
    TempFolder folder;
    const std::string huge(1 << 20, '7');
    Profile profile(folder / "h.ini");
    profile.writeString("A", "big", huge);
    EXPECT_EQ(profile.readString("A", "big", "", kBuffer), std::string(kBuffer - 1, '7'));
    EXPECT_EQ(profile.readInt("A", "big", 0), INT_MAX);

    writeFile(folder / "h.ini", "[A]\0\nk=1\n\0\0\0[B]\nk=5"s);
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

TEST(Profile, UnreachableFilesGiveDefaultsAndQuietWrites) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempFolder folder;

    // A file that cannot be read reads as missing and is never rewritten from nothing.
    writeFile(folder / "locked.ini", "[A]\nk=1\nother=keep\n");
    ::chmod((folder / "locked.ini").c_str(), 0200);
    Profile locked(folder / "locked.ini");
    EXPECT_EQ(locked.readInt("A", "k", 5), 5);
    locked.writeString("A", "k", "2");
    ::chmod((folder / "locked.ini").c_str(), 0600);
    EXPECT_EQ(readFile(folder / "locked.ini"), "[A]\nk=1\nother=keep\n");

    // A folder that cannot be written keeps its file as it was.
    std::filesystem::create_directory(folder / "ro");
    writeFile(folder / "ro" / "h.ini", "[A]\nk=1\n");
    ::chmod((folder / "ro").c_str(), 0500);
    Profile readOnly(folder / "ro" / "h.ini");
    readOnly.writeString("A", "k", "2");
    EXPECT_EQ(readOnly.readInt("A", "k", 0), 1);
    Profile(folder / "ro" / "sub" / "new.ini").writeString("A", "k", "2");
    EXPECT_FALSE(std::filesystem::exists(folder / "ro" / "sub"));
    ::chmod((folder / "ro").c_str(), 0700);
}

TEST(Profile, WriteBelowAFileFailsQuietly) {
    TempFolder folder;
    writeFile(folder / "plain", "not a folder");
    Profile profile(folder / "plain" / "Halcyx.ini");
    profile.writeString("A", "k", "1");
    EXPECT_EQ(profile.readInt("A", "k", 3), 3);
    EXPECT_EQ(readFile(folder / "plain"), "not a folder");
}

TEST(Profile, NonRegularFilesReadAsMissing) {
    TempFolder folder;
    ASSERT_EQ(::mkfifo((folder / "fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "dir.ini");
    for (const char* name : {"fifo.ini", "dir.ini"}) {
        Profile profile(folder / name);
        EXPECT_EQ(profile.readInt("A", "k", 3), 3) << name;
        profile.writeString("A", "k", "1");
        EXPECT_EQ(profile.readInt("A", "k", 3), 3) << name << " is not replaced";
    }
}

} // namespace
