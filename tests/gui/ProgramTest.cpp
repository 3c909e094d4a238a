// The halcyx program's command line: --help and --version answer without a window, and a
// bad command line stops with a message.
#include "tests/gui/GuiTestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(Program, AnswersHelpAndVersionAndRefusesABadCommandLine) {
    test::guiApp();
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* out; // how standard output starts
        const char* err; // what standard error contains
    };
    const Case cases[] = {
        {{"--version"}, 0, "halcyx 3.2.0\n", ""},
        {{"--settings", "/nonexistent/x.ini", "--help"}, 0, "Usage: halcyx", ""},
        {{"--settings"}, 2, "", "halcyx: "},
        {{"--bogus"}, 2, "", "halcyx: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess program;
        program.start(QStringLiteral(HALCYX_PROGRAM), c.arguments);
        ASSERT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitCode(), c.exitCode);
        EXPECT_TRUE(program.readAllStandardOutput().startsWith(c.out));
        EXPECT_TRUE(program.readAllStandardError().contains(c.err));
    }
}

} // namespace
} // namespace halcyx
