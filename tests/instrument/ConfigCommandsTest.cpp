// Which configuration commands the attached instrument enables.
#include "core/instrument/ConfigCommands.h"

#include <array>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

using namespace cmd;

TEST(IsCommandEnabled, FollowsTheInstrumentState) {
    // Nothing found; a Vexa 3 found; a Tavrin P read; open but unidentified.
    const EnablingState states[] = {{},
                                    {ProductCode::Vexa3, true, false, false},
                                    {ProductCode::TavrinP, true, true, true},
                                    {ProductCode::None, true, true, false}};
    struct Case {
        int command;
        std::array<bool, 4> enabled; // in each of the states
    };
    const Case cases[] = {
        {kSaveConfig, {false, false, true, false}},
        {kPrintConfig, {false, false, true, true}},
        {kViewDataFile, {false, true, true, false}},
        {kConfigureInstrument, {false, true, true, true}},
        {kContinuousDataMode, {false, true, true, true}},
        {kRetrieveData, {false, true, true, true}},
        {kDeploy, {false, true, true, false}},
        {kWriteSettingsCommand, {false, false, true, true}},
        {kCheckInstrument, {true, true, true, true}},
        {kOpenConfig, {true, true, true, true}},
    };
    for (const Case& c : cases)
        for (std::size_t state = 0; state < std::size(states); ++state)
            EXPECT_EQ(isCommandEnabled(c.command, states[state]), c.enabled[state])
                << c.command << " in state " << state;
}

} // namespace
} // namespace halcyx
