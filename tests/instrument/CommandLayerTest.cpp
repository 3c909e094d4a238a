// The command layer's exchanges: open and run mode, queries, their pauses and byte limits.
#include "tests/instrument/Harness.h"

#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

TEST(EnterOpenMode, AnOpenInstrumentAnswersWithoutAnyStopSequence) {
    Harness h;
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::Open);
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"***O\\r\" 20ms/char\n"
                            "   400 purge rx\n"
                            "   400 > \"\\r\"\n"
                            "   820 < 12 \"\\r\\nOpen\\r\\n>\"\n");
    EXPECT_EQ(h.layer.mode(), InstrumentMode::Open);
    EXPECT_TRUE(h.layer.openConfirmed());
}

TEST(EnterOpenMode, AStreamingInstrumentThatDoesNotAnswerOpenIsStopped) {
    Harness h;
    h.layer.setMode(InstrumentMode::Run);
    h.line.respond([](const std::string&) { return std::string("\n1.2,3.4\r\n"); });
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::NotOpen);
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"***O\\r\" 20ms/char\n"
                            "   400 purge rx\n"
                            "   400 > \"\\r\"\n"
                            "   820 < 12 \"\\r\\n1.2,3.4\\r\\n\"\n"
                            "   820 > \"SSS\\r\" 100ms/char\n");
    EXPECT_EQ(h.layer.mode(), InstrumentMode::Run);
    EXPECT_FALSE(h.layer.openConfirmed());

    h.line.setEcho(false);
    h.line.respond(nullptr);
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::NoAnswer);
    EXPECT_EQ(h.line.lines().back(), "SSS") << "the stop sequence follows silence too";
}

TEST(EnterOpenMode, AnUnknownModeSendsNoStopSequence) {
    Harness h;
    h.line.setEcho(false);
    h.line.respond(nullptr);
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::NoAnswer);
    EXPECT_EQ(h.line.lines(), (std::vector<std::string>{"***O", ""}));
}

TEST(EnsureOpen, MakesTenRequestsThenGivesUpWithTheOperationsMessage) {
    Harness h;
    h.line.setEcho(false);
    h.line.respond(nullptr);
    h.op.expectMessage(std::string(kNotInOpenMode), "Open Mode Timeout error", Icon::Stop);
    EXPECT_FALSE(h.layer.EnsureOpen(kNotInOpenMode));
    EXPECT_EQ(std::count(h.line.lines().begin(), h.line.lines().end(), "***O"), 10);
    EXPECT_EQ(h.clock.nowMs(), 10 * 820);
}

TEST(EnsureOpen, GoesOnWhenTheTenthRequestIsAnswered) {
    Harness h;
    int requests = 0;
    h.line.setEcho(false);
    h.line.respond([&](const std::string& line) {
        if (line == "***O")
            ++requests;
        return line.empty() && requests == 10 ? std::string("Open") : std::string();
    });
    EXPECT_TRUE(h.layer.EnsureOpen(kRunToOpenFailed));
    EXPECT_EQ(requests, 10);
    // Once open, no further request is made.
    EXPECT_TRUE(h.layer.EnsureOpen(kRunToOpenFailed));
    EXPECT_EQ(requests, 10);
}

TEST(EnterRunMode, SetsTheModeOnlyOnAPlainAnswer) {
    Harness h;
    h.line.answer({{"***R", "\nRUN\r\n"}});
    h.layer.EnterRunMode();
    EXPECT_EQ(h.layer.mode(), InstrumentMode::Run);
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"***R\\r\" 20ms/char\n"
                            "   700 < 100 \"***R\\r\\nRUN\\r\\n\"\n");
    EXPECT_FALSE(h.op.waitCursor);

    Harness refused;
    refused.line.setEcho(false);
    refused.line.answer({{"***R", "ERROR: memory full"}});
    refused.op.expectMessage("ERROR: memory full", "Error going to RUN mode", Icon::Stop);
    refused.layer.EnterRunMode();
    EXPECT_EQ(refused.layer.mode(), InstrumentMode::Unknown);

    Harness silent;
    silent.line.setEcho(false);
    silent.line.respond(nullptr);
    silent.op.expectMessage("No Response from CTD\nCheck Communication ConfigPort and cable",
                            "COMMAND RESULT", Icon::Stop);
    silent.layer.EnterRunMode();
    EXPECT_EQ(silent.layer.mode(), InstrumentMode::Unknown);
}

TEST(Query, At300BaudWritesAt100MsPerCharacterAndWaitsTwoResponseDelays) {
    Harness h(300);
    EXPECT_EQ(h.layer.queryValue("S/N", "S/N"), "1600M");
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"S/N\\r\" 100ms/char\n"
                            "  3400 < 18 \"S/N\\r = 1600M\\r\\n\"\n");
}

TEST(Query, ClockQueriesWaitThreeResponseDelaysAndKeepTheClockWithABareReturn) {
    Harness h;
    EXPECT_EQ(h.layer.queryClock("TIME"), "12:34:56");
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"TIME\\r\" 20ms/char\n"
                            "  1300 < 49 \"TIME\\r\\nTime is 12:34:56\\r\\nNew time? \"\n"
                            "  1300 > \"\\r\"\n");
}

TEST(Query, BadAnswersFailWithoutReadingPastThem) {
    struct Case {
        const char* what;
        std::string answer; // what follows the echo
        bool identityOk;
    };
    const std::vector<Case> cases = {
        {"silence", "", false},
        {"binary noise", std::string("\xff\x80\x00\x13\xfe", 5), false},
        {"no equals sign", " 1234M\r\n", false},
        {"longer than the limit", " = 1234567890123456789012345", true},
    };
    for (const Case& c : cases) {
        Harness h;
        h.line.setEcho(false);
        h.line.answer({{"S/N", c.answer.empty() ? "" : "S/N" + c.answer}});
        const auto value = h.layer.queryValue("S/N", "S/N");
        EXPECT_EQ(value.has_value(), c.identityOk) << c.what;
        if (value) {
            EXPECT_EQ(*value, "123456789012") << "only the 18 bytes read count";
        }
    }

    Harness missingMarker;
    missingMarker.line.setEcho(false);
    missingMarker.line.answer({{"VER", "S/N = 2.10"}});
    EXPECT_EQ(missingMarker.layer.queryValue("VER", "VER"), std::nullopt);

    Harness endsAtMarker;
    endsAtMarker.line.answer({{"TIME", "\nTime is "}});
    EXPECT_EQ(endsAtMarker.layer.queryClock("TIME"), std::nullopt);
}

TEST(Query, AddressIsReadWithoutAPauseInsideTheRead) {
    Harness h;
    h.instrument.address = 5;
    EXPECT_EQ(h.layer.queryAddress(), 5);
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"ADR\\r\" 20ms/char\n"
                            "   380 < 100 \"ADR\\r\\nADR = 5\\r\\n>\"\n");
    h.line.answer({{"ADR", "\nADR ?\r\n"}});
    EXPECT_EQ(h.layer.queryAddress(), std::nullopt);
}

} // namespace
} // namespace halcyx::test
