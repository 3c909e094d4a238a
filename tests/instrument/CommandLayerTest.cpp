// The command layer's exchanges: open and run mode, queries, their pauses and byte limits.
#include "tests/instrument/Harness.h"

#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

TEST(EnterOpenMode, AnOpenInstrumentAnswersWithoutAnyStopSequence) {
    Harness h;
    h.line.answer({{"***O", "\nOpen\r\n>"}, {"", "\nOpen\r\n>"}});
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::Open);
    EXPECT_EQ(h.log(), "0 < ***O\\r\n"
                       "2 > ***O\\r\\nOpen\\r\\n>\n"
                       "400 < \\r\n"
                       "402 > \\r\\nOpen\\r\\n>\n");
    EXPECT_EQ(h.clock.nowMs(), 820);
    EXPECT_EQ(h.layer.mode(), InstrumentMode::Open);
    EXPECT_TRUE(h.layer.openConfirmed());
}

TEST(EnterOpenMode, AStreamingInstrumentThatDoesNotAnswerOpenIsStopped) {
    Harness h;
    h.layer.setMode(InstrumentMode::Run);
    h.line.respond([](const std::string&) { return std::string("\n1.2,3.4\r\n"); });
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::NotOpen);
    EXPECT_EQ(h.log(), "0 < ***O\\r\n"
                       "2 > ***O\\r\\n1.2,3.4\\r\\n\n"
                       "400 < \\r\n"
                       "402 > \\r\\n1.2,3.4\\r\\n\n"
                       "820 < SSS\\r\n"
                       "822 > SSS\n");
    EXPECT_EQ(h.clock.nowMs(), 820 + 3 * 100) << "the stop sequence at 100 ms per character";
    EXPECT_EQ(h.layer.mode(), InstrumentMode::Run);
    EXPECT_FALSE(h.layer.openConfirmed());

    h.line.setEcho(false);
    h.line.respond(nullptr);
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::NoAnswer);
    EXPECT_TRUE(h.received().ends_with("< SSS\\r\n")) << "the stop sequence follows silence too";
}

TEST(EnterOpenMode, AnUnknownModeSendsNoStopSequence) {
    Harness h;
    h.line.setEcho(false);
    EXPECT_EQ(h.layer.EnterOpenMode(), OpenResult::NoAnswer);
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"***O", ""}));
}

TEST(EnsureOpen, MakesTenRequestsThenGivesUpWithTheOperationsMessage) {
    Harness h;
    h.line.setEcho(false);
    h.op.expectMessage(std::string(kNotInOpenMode), "Open Mode Timeout error", Icon::Stop);
    EXPECT_FALSE(h.layer.EnsureOpen(kNotInOpenMode));
    EXPECT_EQ(std::count(h.lines().begin(), h.lines().end(), "***O"), 10);
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
    EXPECT_EQ(h.log(), "0 < ***R\\r\n"
                       "2 > ***R\\r\\nRUN\\r\\n\n");
    EXPECT_EQ(h.clock.nowMs(), 700);
    EXPECT_FALSE(h.op.waitCursor);

    // A refusal is shown as the instrument gave it; silence gets a message of its own.
    for (const auto& [answer, text, caption] :
         {std::tuple("ERROR: memory full", "ERROR: memory full", "Error going to RUN mode"),
          {"", "No Response from CTD\nCheck Communication ConfigPort and cable",
           "COMMAND RESULT"}}) {
        Harness failed;
        failed.line.setEcho(false);
        failed.line.answer({{"***R", answer}});
        failed.op.expectMessage(text, caption, Icon::Stop);
        failed.layer.EnterRunMode();
        EXPECT_EQ(failed.layer.mode(), InstrumentMode::Unknown) << text;
    }
}

TEST(Query, At300BaudWritesAt100MsPerCharacterAndWaitsTwoResponseDelays) {
    Harness h(300);
    h.line.answer({{"S/N", " = 1600M\r\n"}});
    EXPECT_EQ(h.layer.queryValue("S/N", "S/N"), "1600M");
    EXPECT_EQ(h.log(), "0 < S/N\\r\n"
                       "66 > S/N\\r = 1600M\\r\\n\n");
    EXPECT_EQ(h.clock.nowMs(), 3400);
}

TEST(Query, ClockQueriesWaitThreeResponseDelaysAndKeepTheClockWithABareReturn) {
    Harness h;
    h.line.answer({{"TIME", "\nTime is 12:34:56\r\nNew time? "}});
    EXPECT_EQ(h.layer.queryClock("TIME"), "12:34:56");
    EXPECT_EQ(h.log(), "0 < TIME\\r\n"
                       "2 > TIME\\r\\nTime is 12:34:56\\r\\nNew time? \n"
                       "1300 < \\r\n");
}

TEST(Query, BadAnswersFailWithoutReadingPastThem) {
    struct Case {
        const char* what;
        const char* query;
        std::string answer;
        std::optional<std::string> value;
    };
    const std::vector<Case> cases = {
        {"silence", "S/N", "", std::nullopt},
        {"binary noise", "S/N", std::string("S/N\xff\x80\x00\x13\xfe", 8), std::nullopt},
        {"no equals sign", "S/N", "S/N 1234M\r\n", std::nullopt},
        {"only the 18 bytes read count", "S/N", "S/N = 1234567890123456789012345", "123456789012"},
        {"another query's marker", "VER", "S/N = 2.10", std::nullopt},
        {"clock ends at its marker", "TIME", "\nTime is ", std::nullopt},
    };
    for (const Case& c : cases) {
        Harness h;
        h.line.setEcho(false);
        h.line.answer({{c.query, c.answer}});
        EXPECT_EQ(std::string_view(c.query) == "TIME" ? h.layer.queryClock(c.query)
                                                      : h.layer.queryValue(c.query, c.query),
                  c.value)
            << c.what;
    }

    // What a query leaves unread is purged before the next one goes out.
    Harness stale;
    stale.line.answer({{"S/N", " = 1234M\r\n" + std::string(30, 'x') + "VER = 9.99\r\n"},
                       {"VER", " = 2.10\r\n"}});
    ASSERT_TRUE(stale.layer.queryValue("S/N", "S/N"));
    EXPECT_EQ(stale.layer.queryValue("VER", "VER"), "2.10");
}

TEST(Query, AddressIsReadWithoutAPauseInsideTheRead) {
    Harness h;
    h.line.answer({{"ADR", "\nADR = 5\r\n>"}});
    EXPECT_EQ(h.layer.queryAddress(), 5);
    EXPECT_EQ(h.log(), "0 < ADR\\r\n"
                       "2 > ADR\\r\\nADR = 5\\r\\n>\n");
    EXPECT_EQ(h.clock.nowMs(), 380);
    h.line.answer({{"ADR", "\nADR ?\r\n"}});
    EXPECT_EQ(h.layer.queryAddress(), std::nullopt);
}

} // namespace
} // namespace halcyx::test
