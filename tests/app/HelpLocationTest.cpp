// Which help page opens for a help path.
#include "core/app/HelpLocation.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace halcyx {
namespace {

namespace fs = std::filesystem;

TEST(HelpLocation, UsesWhatThePathNamesElseTheShippedHelp) {
    const fs::path dir = fs::temp_directory_path() / ("halcyx-help-" + std::to_string(::getpid()));
    for (const char* page : {"own/index.html", "own/manual.html", "shipped/index.html"}) {
        fs::create_directories((dir / page).parent_path());
        std::ofstream(dir / page) << "<html></html>";
    }
    const std::vector<fs::path> shipped{dir / "missing/index.html", dir / "shipped/index.html"};
    const std::pair<std::string, fs::path> cases[] = {
        {(dir / "own/manual.html").string(), dir / "own/manual.html"},
        {(dir / "own").string(), dir / "own/index.html"},
        {"C:\\Halcyx", dir / "shipped/index.html"},
        {"", dir / "shipped/index.html"},
        {(dir / "own/gone.html").string(), dir / "shipped/index.html"},
    };
    for (const auto& [helpPath, expected] : cases)
        EXPECT_EQ(resolveHelpFile(helpPath, shipped), expected) << helpPath;
    EXPECT_TRUE(resolveHelpFile("C:\\Halcyx", {shipped[0]}).empty()) << "no help anywhere";
    fs::remove_all(dir);
}

} // namespace
} // namespace halcyx
