// The halcyx program's command line: --help and --version answer without a window, and a
// bad command line stops with a message.
#include "GuiTestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

struct ProgramRun {
    int exitCode;
    QString out;
    QString err;
};

ProgramRun runProgram(const QStringList& arguments) {
    QProcess program;
    program.start(QStringLiteral(HALCYX_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForFinished(10000));
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

TEST(Program, AnswersHelpAndVersionWithoutAWindow) {
    test::guiApp();
    const ProgramRun version = runProgram({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "halcyx 3.2.0\n");

    const ProgramRun help = runProgram({"--settings", "/nonexistent/x.ini", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: halcyx")) << help.out.toStdString();
}

TEST(Program, RefusesABadCommandLine) {
    test::guiApp();
    for (const QStringList& arguments : {QStringList{"--settings"}, QStringList{"--bogus"}}) {
        const ProgramRun run = runProgram(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("halcyx: ")) << run.err.toStdString();
    }
}

} // namespace
} // namespace halcyx
