// Which configuration commands the attached instrument enables.
#include "core/instrument/ConfigCommands.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

using namespace cmd;

TEST(IsCommandEnabled, FollowsTheInstrumentState) {
    const EnablingState nothing{};
    const EnablingState found{ProductCode::Vexa3, true, false, false};
    const EnablingState read{ProductCode::TavrinP, true, true, true};
    const EnablingState openUnknown{ProductCode::None, true, true, false};

    struct Case {
        int command;
        bool nothing, found, read, openUnknown;
    };
    const Case cases[] = {
        {kSaveConfig, false, false, true, false},
        {kPrintConfig, false, false, true, true},
        {kViewDataFile, false, true, true, false},
        {kConfigureInstrument, false, true, true, true},
        {kContinuousDataMode, false, true, true, true},
        {kRetrieveData, false, true, true, true},
        {kDeploy, false, true, true, false},
        {kWriteSettingsCommand, false, false, true, true},
        {kCheckInstrument, true, true, true, true},
        {kOpenConfig, true, true, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isCommandEnabled(c.command, nothing), c.nothing) << c.command;
        EXPECT_EQ(isCommandEnabled(c.command, found), c.found) << c.command;
        EXPECT_EQ(isCommandEnabled(c.command, read), c.read) << c.command;
        EXPECT_EQ(isCommandEnabled(c.command, openUnknown), c.openUnknown) << c.command;
    }
}

} // namespace
} // namespace halcyx
