// Reading a data file for the viewer: line ends, over-long lines and NUL bytes whatever the
// slices fall on, the progress counts, and files that cannot be read.
#include "core/viewer/DataFileLoader.h"

#include "core/viewer/ViewDataFile.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/TempFolder.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

std::vector<std::string> entries(const DataLines& lines) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out.emplace_back(lines.line(i));
    return out;
}

TEST(DataFileLoader, ListsEveryLineWhereverTheSlicesEnd) {
    const std::string x299(DataFileLoader::kLineChars, 'x');
    const std::string nul(DataFileLoader::kLineChars, '\0');
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"CR LF and LF line ends", "a\r\nb\n", {"a", "b"}},
        {"a last line without a line end", "a\nb", {"a", "b"}},
        {"an empty file", "", {}},
        {"empty lines", "\n\r\n", {"", ""}},
        {"a lone CR stays in its line", "a\rb\n", {"a\rb"}},
        {"a line of 299 characters is one entry", x299 + "\r\n", {x299}},
        {"a longer line goes on in the next entries",
         x299 + x299 + "yz\r\nq",
         {x299, x299, "yz", "q"}},
        {"a line of two full entries adds no empty one", x299 + x299 + "\r\n", {x299, x299}},
        {"NUL bytes are text like any other",
         nul + nul + std::string(3, '\0'),
         {nul, nul, std::string(3, '\0')}},
    };
    test::TempFolder folder;
    for (const Case& c : cases) {
        const auto path = folder / "data.dat";
        test::writeFile(path, c.file);
        for (const std::size_t slice :
             {std::size_t{1}, std::size_t{2}, std::size_t{300}, kViewSliceBytes}) {
            DataFileLoader loader;
            ASSERT_TRUE(loader.open(path.string(), {})) << c.what;
            while (!loader.readSlice(slice)) {
            }
            EXPECT_EQ(loader.error(), 0);
            const DataLines lines = loader.take();
            EXPECT_EQ(entries(lines), c.listed) << c.what << ", slices of " << slice;
        }
    }
}

TEST(ViewDataFile, CountsTheLinesInTheProgressBox) {
    test::TempFolder folder;
    for (const int count : {0, 250}) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += std::to_string(i) + ", 12.5\r\n";
        const auto path = folder / "cast.dat";
        test::writeFile(path, text);
        test::ScriptedOperator op;
        op.expectFile(false, path.string());
        int slices = 0;
        const auto file = loadFileForViewing(op, [&slices] { ++slices; });
        ASSERT_TRUE(file);
        EXPECT_EQ(file->path, path.string());
        EXPECT_EQ(file->lines.size(), static_cast<std::size_t>(count));
        std::vector<std::string> expected = {"show", "1:Opening File, Please Wait...",
                                             "2:Lines: 0"};
        if (count > 0)
            expected.insert(expected.end(), {"2:Lines: 100", "2:Lines: 200"});
        expected.push_back("close");
        EXPECT_EQ(op.progress, expected);
        EXPECT_FALSE(op.waitCursor);
        ASSERT_EQ(op.fileRequests.size(), 1u);
        EXPECT_EQ(op.fileRequests[0].filter, "Data Files (*.DAT)|*.dat|All Files (*.*)|*.*|");
        EXPECT_TRUE(op.fileRequests[0].mustExist);
    }
}

TEST(ViewDataFile, AFileThatCannotBeReadEndsTheCommandWithAMessage) {
    test::TempFolder folder;
    const auto locked = folder / "locked.dat";
    test::writeFile(locked, "1\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const bool rootReadsAnything = ::geteuid() == 0;
    struct Case {
        std::string path;
        int error;
    };
    std::vector<Case> cases = {{(folder / "missing.dat").string(), ENOENT},
                               {folder.path().string(), EISDIR},
                               {"/dev/zero", EINVAL}};
    if (!rootReadsAnything)
        cases.push_back({locked.string(), EACCES});
    for (const Case& c : cases) {
        test::ScriptedOperator op;
        op.expectFile(false, c.path)
            .expectMessage("Cannot read " + c.path + ": " + std::strerror(c.error),
                           "View Data File", Icon::Stop);
        EXPECT_FALSE(loadFileForViewing(op, {})) << c.path;
        EXPECT_TRUE(op.progress.empty() || op.progress.back() == "close");
    }
    test::ScriptedOperator op;
    op.expectFile(false, std::nullopt);
    EXPECT_FALSE(loadFileForViewing(op, {})) << "cancelled";
}

} // namespace
} // namespace halcyx
