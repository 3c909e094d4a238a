// Which configuration commands the attached instrument enables, and the menu after detection.
#include "instrument/ConfigCommands.h"

#include "instrument/CommandDelays.h"

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

TEST(MenuAfterDetection, OnlyTheTavrinModelsGetAFreshMenu) {
    EXPECT_FALSE(menuAfterDetection(ProductCode::Vexa3).installFresh);
    EXPECT_FALSE(menuAfterDetection(ProductCode::None).installFresh);
    EXPECT_TRUE(menuAfterDetection(ProductCode::TavrinCT).installFresh);
    EXPECT_EQ(menuAfterDetection(ProductCode::TavrinCT).removedCommand, std::nullopt);
    EXPECT_TRUE(menuAfterDetection(ProductCode::TavrinP).installFresh);
    EXPECT_EQ(menuAfterDetection(ProductCode::TavrinP).removedCommand, kContinuousDataMode);
}

TEST(CommandDelays, DependOnTheBaudRateAndOnWhereItWasChosen) {
    const CommandDelays kept{100, 1500};
    struct Case {
        std::uint32_t baud;
        CommandDelays atOpen, afterSetup;
    };
    const Case cases[] = {
        {300, {100, 1500}, {100, 1500}}, {1200, {30, 700}, {30, 700}}, {9600, {20, 300}, {20, 300}},
        {19200, {20, 300}, {10, 150}},   {2400, {20, 300}, kept},      {110, {20, 300}, kept},
        {14400, {20, 300}, kept},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(delaysAtOpen(c.baud), c.atOpen) << c.baud;
        EXPECT_EQ(delaysAfterSetup(c.baud, kept), c.afterSetup) << c.baud;
    }
}

} // namespace
} // namespace halcyx
