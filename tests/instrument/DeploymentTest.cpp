// Deploying Vexa and Tavrin instruments: the exact traffic of each model's memory steps, the
// questions that skip or stop them, the ZMEM polling limit, the operating modes and the
// terminal request.
#include "core/instrument/Deployment.h"

#include "tests/instrument/Harness.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

constexpr const char* kLogQuestion = "Do you want to log data to memory?";
constexpr const char* kEraseQuestion = "This will erase all data in memory!\n\nAre you sure?";
constexpr const char* kTavrinQuestion = "Do you want to reset memory logging and zero memory?";
constexpr const char* kRunModeText =
    "The Instrument is now in Run Mode!\nPress the ENTER key to request a line of data.";

// The "Deploy" dialog of a test: records the mode it offered and answers as told.
struct ScriptedChooser : DeployModeChooser {
    std::optional<DeployMode> chooseDeployMode(DeployMode remembered) override {
        offered.push_back(remembered);
        return answer;
    }
    std::optional<DeployMode> answer = DeployMode::Continuous;
    std::vector<DeployMode> offered;
};

struct Deployment {
    DeployOutcome run(SimRig& rig) {
        return Deploy(rig.layer, rig.record, selection, chooser, [this] { ++terminalRequests; });
    }
    DeployMode selection = DeployMode::Continuous;
    ScriptedChooser chooser;
    int terminalRequests = 0;
};

TEST(Deploy, EachModelsMemoryStepsInTheirExactTraffic) {
    const struct {
        ProductCode model;
        bool tavrin;
        const char* traffic;
    } cases[] = {
        {ProductCode::Vexa3, false,
         "200 < CLOG\\r\n"
         "800 < CAOP\\r\n"
         "1750 < ZMEM\\r\n"
         "22850 < RLPTR\\r\n" // "Logging Memory Zeroed" at 21832, seen by the poll at 22350
         "24970 < SLOG\\r\n"
         "25670 < ***E\\r\n"
         "26070 < ***R\\r\n"},
        {ProductCode::TavrinCT, true,
         "0 < CLOG\\r\n"
         "750 < CAOP\\r\n"
         "1500 < RLPTR\\r\n"
         "3120 < ZMEM\\r\n"
         "33220 < SLOG\\r\n"
         "33920 < ***E\\r\n"
         "34320 < ***R\\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(modelText(c.model));
        OpenRig rig(c.model);
        rig.instrument().preloadMemory(5);
        if (c.tavrin)
            rig.op.expectQuestion(kTavrinQuestion, "Memory", true);
        else
            rig.op.expectQuestion(kLogQuestion, "Memory", true)
                .expectQuestion(kEraseQuestion, "Erase Data Memory", true);
        rig.op.expectMessage(kRunModeText, "Deploy", Icon::None);
        Deployment deploy;

        EXPECT_EQ(deploy.run(rig), DeployOutcome::Deployed);
        EXPECT_EQ(rig.received(), c.traffic);
        EXPECT_EQ(rig.instrument().memory().loggedBytes(), 0u) << "zeroed";
        EXPECT_TRUE(rig.record.deployed);
        EXPECT_EQ(rig.layer.mode(), InstrumentMode::Run);
        EXPECT_EQ(deploy.terminalRequests, 1);
        rig.settle();
        EXPECT_EQ(rig.instrument().mode(), sim::Instrument::Mode::Run);
        EXPECT_EQ(rig.op.progress.back(), "close");
    }
}

// Without the memory steps the settings are still stored and the mode set; a Tavrin's
// logging stays off, as CLOG left it.
TEST(Deploy, NoToTheMemoryQuestionStoresAndRunsOnly) {
    for (ProductCode model : {ProductCode::Vexa2, ProductCode::TavrinP}) {
        SCOPED_TRACE(modelText(model));
        OpenRig rig(model);
        rig.instrument().preloadMemory(5);
        rig.instrument().memory().setLogging(true);
        const bool vexa = isVexa(model);
        rig.op.expectQuestion(vexa ? kLogQuestion : kTavrinQuestion, "Memory", false)
            .expectMessage("The Instrument is now in Delayed Start Mode.", "Deploy", Icon::None);
        Deployment deploy;
        deploy.chooser.answer = DeployMode::DelayedInterval;

        EXPECT_EQ(deploy.run(rig), DeployOutcome::Deployed);
        const std::string traffic = rig.received();
        EXPECT_EQ(std::count(traffic.begin(), traffic.end(), '\n'), vexa ? 2 : 4) << traffic;
        EXPECT_TRUE(traffic.ends_with("< ***D\\r\n")) << traffic;
        EXPECT_EQ(rig.instrument().memory().loggedBytes(), 5 * rig.instrument().bytesPerScan());
        EXPECT_EQ(rig.instrument().memory().logging(), vexa);
        EXPECT_EQ(deploy.terminalRequests, 0) << "no data on a return in delayed start";
        EXPECT_EQ(deploy.selection, DeployMode::DelayedInterval);
        rig.settle();
        EXPECT_EQ(rig.instrument().mode(), sim::Instrument::Mode::DelayedStart);
    }
}

TEST(Deploy, CancelInTheDialogLeavesMemoryArmedAndSettingsStoredInOpenMode) {
    OpenRig rig(ProductCode::TavrinCT);
    rig.instrument().settings().intervalTime = "00:02:00";
    rig.op.expectQuestion(kTavrinQuestion, "Memory", true)
        .expectMessage("The instrument is not in run mode!\nDeployment cancelled by user.",
                       "Cancel", Icon::None);
    Deployment deploy;
    deploy.selection = DeployMode::Interval;
    deploy.chooser.answer = std::nullopt;

    EXPECT_EQ(deploy.run(rig), DeployOutcome::Cancelled);
    EXPECT_EQ(deploy.chooser.offered, std::vector<DeployMode>{DeployMode::Interval});
    rig.settle();
    EXPECT_TRUE(rig.instrument().memory().logging());
    EXPECT_EQ(rig.instrument().storedSettings().intervalTime, "00:02:00");
    EXPECT_EQ(rig.layer.mode(), InstrumentMode::Open);
    EXPECT_FALSE(rig.record.deployed);
    EXPECT_EQ(deploy.selection, DeployMode::Interval);
}

// ZMEM is polled every 500 ms after a 2 s pause: the 110th poll may still bring the answer.
TEST(Deploy, ZeroedMemoryIsAwaitedForAHundredAndTenPolls) {
    for (int poll : {110, 111}) {
        SCOPED_TRACE(poll);
        OpenHarness h(ProductCode::Vexa3);
        h.line.answer({{"CLOG", "\r\nData Logging is cleared\r\n"},
                       {"CAOP", "\r\nAddress mode cleared\r\n"},
                       {"RLPTR", "\r\nLogged Pointer Reset to Hardware start\r\n"},
                       {"SLOG", "\r\nData Logging is set\r\n"}});
        // Poll n reads at 2000 + 500 n ms after ZMEM; the answer lands 250 ms before it.
        h.line.later("ZMEM", (2000 + 500 * poll - 250) * sim::kNanosPerMs,
                     "\r\nLogging Memory Zeroed\r\n");
        h.op.expectQuestion(kLogQuestion, "Memory", true)
            .expectQuestion(kEraseQuestion, "Erase Data Memory", true);
        if (poll > 110)
            h.op.expectMessage("ERROR - zoreing memory!", "ZMEM Error", Icon::Stop);
        else
            h.op.expectMessage(kRunModeText, "Deploy", Icon::None);
        Deployment deploy;
        EXPECT_EQ(deploy.run(h), poll > 110 ? DeployOutcome::Failed : DeployOutcome::Deployed);
    }
}

TEST(Deploy, FailedStepsEndOrAskAsEachAllows) {
    // Vexa: CLOG refused, the operator goes on; RLPTR without answer ends it.
    OpenHarness h(ProductCode::Vexa2);
    h.line.answer({{"CAOP", "BAD COMMAND"}});
    h.line.later("ZMEM", 2400 * sim::kNanosPerMs, "\r\nLogging Memory Zeroed\r\n");
    h.op.expectQuestion(kLogQuestion, "Memory", true)
        .expectQuestion(kEraseQuestion, "Erase Data Memory", true)
        .expectQuestion("ERROR - Turning Logging OFF!\nDo you want to continue?", "CLOG Error",
                        true)
        .expectMessage("Error using Command = CAOP\rBAD COMMAND", "Command Error", Icon::Stop)
        .expectMessage("Error clearing address Mode!", "Bad Command", Icon::Stop)
        .expectMessage("ERROR - Resetting Logging Pointer!", "RLPTR Error", Icon::Stop);
    Deployment deploy;
    EXPECT_EQ(deploy.run(h), DeployOutcome::Failed);
    EXPECT_EQ(h.lines(), (std::vector<std::string>{"CLOG", "CAOP", "ZMEM", "RLPTR"}));
    EXPECT_EQ(h.layer.mode(), InstrumentMode::Open);
    EXPECT_FALSE(h.record.deployed);
}

} // namespace
} // namespace halcyx::test
