// Translation of the program's file-type filters and the default-extension rule.
#include "core/app/FileFilter.h"

#include <array>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(FileFilter, ParsesCaptionPatternPairs) {
    const std::pair<const char*, std::vector<FileTypeFilter>> cases[] = {
        {"ASCII File (*.DAT)|*.dat", {{"ASCII File (*.DAT)", {"*.dat"}}}},
        {"Config Files (*.CFG)|*.cfg|All Files (*.*)|*.*|",
         {{"Config Files (*.CFG)", {"*.cfg"}}, {"All Files (*.*)", {"*"}}}},
        {"Data|*.dat;*.DAT|", {{"Data", {"*.dat", "*.DAT"}}}},
        {"Empty pattern||Next|*.x|", {{"Next", {"*.x"}}}},
        {"", {}},
        {"Caption without pattern|", {}},
        {"|||", {}},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(parseFileFilter(filter), expected) << filter;
}

TEST(FileFilter, DefaultExtensionOnlyForNamesWithoutOne) {
    const std::array<const char*, 3> cases[] = {
        // path, extension, expected
        {"/data/cast1", "DAT", "/data/cast1.DAT"},
        {"/data/cast1.txt", "DAT", "/data/cast1.txt"},
        {"/data.2024/cast1", "CFG", "/data.2024/cast1.CFG"},
        {"cast1", "CFG", "cast1.CFG"},
        {"/data/cast1", "", "/data/cast1"},
        {"/data/", "DAT", "/data/"},
        {"", "DAT", ""},
    };
    for (const auto& [path, extension, expected] : cases)
        EXPECT_EQ(withDefaultExtension(path, extension), expected) << path;
}

} // namespace
} // namespace halcyx
