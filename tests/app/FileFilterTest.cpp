// Translation of the program's file-type filters and the default-extension rule.
#include "app/FileFilter.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(FileFilter, ParsesCaptionPatternPairs) {
    struct Case {
        const char* filter;
        std::vector<FileTypeFilter> expected;
    };
    const Case cases[] = {
        {"Config Files (*.CFG)|*.cfg|", {{"Config Files (*.CFG)", {"*.cfg"}}}},
        {"ASCII File (*.DAT)|*.dat", {{"ASCII File (*.DAT)", {"*.dat"}}}},
        {"Config Files (*.CFG)|*.cfg|All Files (*.*)|*.*|",
         {{"Config Files (*.CFG)", {"*.cfg"}}, {"All Files (*.*)", {"*"}}}},
        {"Data|*.dat;*.DAT|", {{"Data", {"*.dat", "*.DAT"}}}},
        {"", {}},
        {"Caption without pattern|", {}},
        {"Empty pattern||Next|*.x|", {{"Next", {"*.x"}}}},
        {"|||", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseFileFilter(c.filter), c.expected) << c.filter;
}

TEST(FileFilter, DefaultExtensionOnlyForNamesWithoutOne) {
    struct Case {
        const char* path;
        const char* extension;
        const char* expected;
    };
    const Case cases[] = {
        {"/data/cast1", "DAT", "/data/cast1.DAT"},
        {"/data/cast1.dat", "DAT", "/data/cast1.dat"},
        {"/data/cast1.txt", "DAT", "/data/cast1.txt"},
        {"/data.2024/cast1", "CFG", "/data.2024/cast1.CFG"},
        {"cast1", "CFG", "cast1.CFG"},
        {"/data/cast1", "", "/data/cast1"},
        {"/data/", "DAT", "/data/"},
        {"", "DAT", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withDefaultExtension(c.path, c.extension), c.expected) << c.path;
}

} // namespace
} // namespace halcyx
