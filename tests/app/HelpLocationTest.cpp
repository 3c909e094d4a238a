// Which help page opens for a help path, and the section of each help context.
#include "app/HelpLocation.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace halcyx {
namespace {

namespace fs = std::filesystem;

class HelpLocationTest : public ::testing::Test {
protected:
    HelpLocationTest()
        : dir(fs::temp_directory_path() /
              ("halcyx-help-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::create_directories(dir / "own");
        fs::create_directories(dir / "shipped");
        touch(dir / "own" / "index.html");
        touch(dir / "own" / "manual.html");
        touch(dir / "shipped" / "index.html");
    }
    ~HelpLocationTest() override { fs::remove_all(dir); }

    static void touch(const fs::path& path) { std::ofstream(path) << "<html></html>"; }

    fs::path dir;
};

TEST_F(HelpLocationTest, UsesWhatThePathNamesElseTheShippedHelp) {
    const std::vector<fs::path> shipped{dir / "missing" / "index.html",
                                        dir / "shipped" / "index.html"};
    struct Case {
        std::string helpPath;
        fs::path expected;
    };
    const Case cases[] = {
        {(dir / "own" / "manual.html").string(), dir / "own" / "manual.html"},
        {(dir / "own").string(), dir / "own" / "index.html"},
        {"C:\\Halcyx", dir / "shipped" / "index.html"},
        {"", dir / "shipped" / "index.html"},
        {(dir / "own" / "gone.html").string(), dir / "shipped" / "index.html"},
        {(dir / "shipped").string(), dir / "shipped" / "index.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolveHelpFile(c.helpPath, shipped), c.expected) << c.helpPath;

    EXPECT_TRUE(resolveHelpFile("C:\\Halcyx", {dir / "missing" / "index.html"}).empty());
}

TEST(HelpAnchor, EachContextHasItsSectionAndTheIndexNone) {
    EXPECT_EQ(helpAnchor(help::kIndex), "");
    EXPECT_EQ(helpAnchor(help::kConfigureInstrument), "context-150");
    EXPECT_EQ(helpAnchor(help::kStripGraphSetup), "context-1500");
}

} // namespace
} // namespace halcyx
