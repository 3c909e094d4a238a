// The acquisition window's commands as a table of what enables them, and the exchange that
// stops the instrument's stream for the water sampler.
#include "core/acquisition/AcqCommands.h"
#include "core/acquisition/CastCommands.h"
#include "tests/support/SimRig.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(AcqCommands, EnablingFollowsTheCastAndTheToggles) {
    const AcqCommandContext idle;
    AcqCommandContext down;
    down.logging = true;
    AcqCommandContext up = down;
    up.downCast = false;
    AcqCommandContext sampler;
    sampler.samplerEnabled = true;
    AcqCommandContext towedSampler = sampler;
    towedSampler.towed = true;
    AcqCommandContext towedDown = down;
    towedDown.towed = true;
    AcqCommandContext shown;
    shown.graphVisible = false;
    shown.listingVisible = true;

    struct Case {
        int command;
        const AcqCommandContext& context;
        bool enabled;
        bool checked;
    };
    const Case cases[] = {
        {cmd::kStartCast, idle, true, false},
        {cmd::kStartCast, down, false, false},
        {cmd::kStartUpCast, up, false, false},
        {cmd::kEndCast, idle, false, false},
        {cmd::kEndCast, down, true, false},
        {cmd::kEndCast, up, false, false},
        {cmd::kEndUpCast, up, true, false},
        {cmd::kEndUpCast, down, false, false},
        {cmd::kPortSetup, idle, true, false},
        {cmd::kPortSetup, down, false, false},
        {cmd::kNavigationPortSetup, idle, true, false},
        {cmd::kNavigationPortSetup, towedDown, false, false},
        {cmd::kPressureGraph1, idle, false, false},
        {cmd::kPressureGraph4, towedDown, true, false},
        {cmd::kAcqProperties, down, true, false},
        {cmd::kDcChannelSetup, up, true, false},
        {cmd::kGraph, idle, true, true},
        {cmd::kGraph, shown, true, false},
        {cmd::kListing, idle, true, false},
        {cmd::kListing, shown, true, true},
        {cmd::kFireBottle, idle, false, false},
        {cmd::kFireBottle, sampler, true, false},
        {cmd::kHomeSampler, sampler, true, false},
        {cmd::kHomeSampler, towedSampler, false, false},
        {cmd::kEnableSampler, sampler, true, true},
        {cmd::kEnableSampler, down, true, false},
    };
    for (const Case& c : cases) {
        const std::optional<CommandState> state = acqCommandState(c.command, c.context);
        ASSERT_TRUE(state) << c.command;
        EXPECT_EQ(state->enabled, c.enabled) << c.command;
        EXPECT_EQ(state->checked, c.checked) << c.command;
    }
    for (int other : {cmd::kConfiguration, cmd::kGraphSetup, cmd::kCommunicationsWindow})
        EXPECT_FALSE(acqCommandState(other, idle)) << other;
}

TEST(StopCtdData, AStreamingInstrumentStopsAndOneThatNeverAnswersIsReported) {
    test::SimRig rig(ProductCode::Vexa3);
    rig.ask("***R");
    rig.ask("SC", 0, 0);
    rig.sleep(5000);
    ASSERT_TRUE(StopCtdData(rig.port, rig.op, 300));
    EXPECT_FALSE(rig.instrument().streaming());

    rig.instrument().faults().silent = true;
    rig.op.expectMessage("Error stopping CTD data!", "COMMS Error", Icon::Stop);
    const std::int64_t start = rig.clock.nowMs();
    EXPECT_FALSE(StopCtdData(rig.port, rig.op, 300));
    EXPECT_GE(rig.clock.nowMs() - start, cast_commands::kStopAttempts * 1600) << "every attempt";
}

} // namespace
} // namespace halcyx
