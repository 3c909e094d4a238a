// Mode switches, their refusals and the close check, seen through fakes of the windows.
#include "app/ModeSwitcher.h"

#include "ScriptedOperator.h"
#include "app/Commands.h"
#include "app/ProductCode.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using test::ScriptedOperator;
using Log = std::vector<std::string>;

struct FakeConfig : ConfigClient {
    explicit FakeConfig(Log& log) : log(log) {}
    int productCode() const override { return product; }
    std::uint32_t channelMask() const override { return mask; }
    SamplingRateFlags samplingRateFlags() const override { return rates; }
    void readInstrumentSettings() override {
        log.push_back("config.read");
        mask = maskAfterRead;
    }
    void enterRunMode() override { log.push_back("config.run"); }
    bool closePort() override {
        log.push_back("config.close");
        return closes;
    }
    bool openPortFromSettings() override {
        log.push_back("config.open");
        return opens;
    }
    void requestOpenMode() override { log.push_back("config.openmode"); }
    void setShown(bool shown) override { log.push_back(shown ? "config.show" : "config.hide"); }

    Log& log;
    int product = kProductVexa3;
    std::uint32_t mask = 0x3f;
    std::uint32_t maskAfterRead = 0;
    SamplingRateFlags rates{};
    bool closes = true;
    bool opens = true;
};

struct FakeAcq : AcqClient {
    explicit FakeAcq(Log& log) : log(log) {}
    bool logging() const override { return isLogging; }
    void setTowed(bool on) override { towed = on; }
    void setProductCode(int code) override { product = code; }
    void setChannelMask(std::uint32_t value) override { mask = value; }
    void setSamplingRate(float scansPerSecond) override { rate = scansPerSecond; }
    bool closeDataPort() override {
        log.push_back("acq.close");
        return closes;
    }
    void openDataPort() override { log.push_back("acq.open"); }
    void openNavigationPort() override { log.push_back("acq.nav"); }
    void setShown(bool shown) override { log.push_back(shown ? "acq.show" : "acq.hide"); }

    Log& log;
    bool isLogging = false;
    bool towed = false;
    int product = -1;
    std::uint32_t mask = 0;
    float rate = -1;
    bool closes = true;
};

struct FakeModAcq : ModAcqClient {
    explicit FakeModAcq(Log& log) : log(log) {}
    bool logging() const override { return isLogging; }
    void openDataPort() override { log.push_back("mod.open"); }
    void openNavigationPort() override { log.push_back("mod.nav"); }
    void setShown(bool shown) override { log.push_back(shown ? "mod.show" : "mod.hide"); }

    Log& log;
    bool isLogging = false;
};

struct FakeFrame : FrameView {
    void setClient(ClientKind kind) override { client = kind; }
    void setMenu(MenuId id) override { menu = id; }
    void setIcon(int resource) override { icon = resource; }
    void setTitle(const std::string& text) override { title = text; }

    ClientKind client = ClientKind::Config;
    MenuId menu = MenuId::Config;
    int icon = 0;
    std::string title;
};

class ModeSwitcherTest : public ::testing::Test {
protected:
    ModeSwitcherTest() { switcher.start(); }

    void expectConfiguration() {
        EXPECT_EQ(switcher.mode(), Mode::Configuration);
        EXPECT_EQ(frame.client, ClientKind::Config);
        EXPECT_EQ(frame.menu, MenuId::Config);
        EXPECT_EQ(frame.title, "Halcyx - Configuration");
    }

    Log log;
    FakeFrame frame;
    FakeConfig config{log};
    FakeAcq acq{log};
    FakeModAcq modAcq{log};
    ScriptedOperator op;
    ModeSwitcher switcher{frame, config, acq, modAcq, op};
};

TEST_F(ModeSwitcherTest, EnteringAcquisitionHandsTheInstrumentOverInOrder) {
    config.product = kProductVexa2;
    config.mask = 0x0103;
    ASSERT_TRUE(switcher.handleCommand(cmd::kAcquisition));

    EXPECT_EQ(log, (Log{"config.run", "config.close", "acq.show", "config.hide", "acq.open"}));
    EXPECT_EQ(switcher.mode(), Mode::Acquisition);
    EXPECT_EQ(frame.client, ClientKind::Acq);
    EXPECT_EQ(frame.menu, MenuId::Acq);
    EXPECT_EQ(frame.icon, kIconAcquisition);
    EXPECT_EQ(frame.title, "Halcyx - Acquisition");
    EXPECT_FALSE(acq.towed);
    EXPECT_EQ(acq.product, kProductVexa2);
    EXPECT_EQ(acq.mask, 0x0103u);
    EXPECT_EQ(acq.rate, -1) << "profile acquisition gets no sampling rate";
}

TEST_F(ModeSwitcherTest, TowedAcquisitionHandsOverTheChosenScanRateAndOpensNavigation) {
    config.rates = {false, false, true, true, false};
    ASSERT_TRUE(switcher.enterAcquisition(true));
    EXPECT_FLOAT_EQ(acq.rate, 3.03f) << "the first chosen rate wins";
    EXPECT_EQ(log.back(), "acq.nav");
    EXPECT_EQ(log[log.size() - 2], "acq.open") << "the data port opens before navigation";
}

TEST_F(ModeSwitcherTest, TowedScanRateByProductAndChoice) {
    struct Case {
        int product;
        int chosen; // index of the one set flag, -1 for none
        float rate;
    };
    const Case cases[] = {
        {kProductVexa2, 0, 1.83f}, {kProductVexa3, 1, 2.58f},   {kProductVexa3, 2, 3.03f},
        {kProductVexa3, 3, 4.08f}, {kProductVexa2, 4, 4.50f},   {kProductVexa3, -1, 0.5f},
        {kProductNone, 0, 0.5f},   {kProductTavrinCT, 1, 0.5f}, {kProductTavrinP, 4, 0.5f},
    };
    for (const Case& c : cases) {
        SamplingRateFlags flags{};
        if (c.chosen >= 0)
            flags[static_cast<std::size_t>(c.chosen)] = true;
        EXPECT_FLOAT_EQ(towedSamplingRate(c.product, flags), c.rate)
            << "product " << c.product << " choice " << c.chosen;
    }
}

TEST_F(ModeSwitcherTest, UnreadSettingsAreReadFirstAndOnlyOnce) {
    config.mask = 0;
    config.maskAfterRead = 0x07;
    ASSERT_TRUE(switcher.enterAcquisition(false));
    EXPECT_EQ(log.front(), "config.read");
    ASSERT_TRUE(switcher.leaveAcquisition());
    log.clear();
    ASSERT_TRUE(switcher.enterAcquisition(false));
    EXPECT_EQ(log.front(), "config.run") << "a known channel mask is not read again";
}

TEST_F(ModeSwitcherTest, NoChannelsAfterReadingStopsSilentlyInConfiguration) {
    config.product = kProductNone;
    config.mask = 0;
    EXPECT_FALSE(switcher.enterAcquisition(true));
    EXPECT_EQ(log, Log{"config.read"});
    expectConfiguration();
}

TEST_F(ModeSwitcherTest, ConfigurationPortThatWillNotCloseKeepsConfiguration) {
    config.closes = false;
    op.expectMessage("Error Closing Configuration Comport", "Application Error", Icon::Stop);
    EXPECT_FALSE(switcher.enterAcquisition(false));
    EXPECT_EQ(log, (Log{"config.run", "config.close"}));
    expectConfiguration();

    log.clear();
    op.expectMessage("Error Closing Configuration Comport", "Application Error", Icon::Stop);
    EXPECT_FALSE(switcher.enterModuleAcquisition());
    EXPECT_EQ(log, Log{"config.close"});
    expectConfiguration();
}

TEST_F(ModeSwitcherTest, LeavingReopensTheConfigurationPortAndStopsTheInstrument) {
    ASSERT_TRUE(switcher.enterAcquisition(false));
    log.clear();
    ASSERT_TRUE(switcher.handleCommand(cmd::kConfiguration));
    EXPECT_EQ(log, (Log{"acq.close", "acq.hide", "config.show", "config.open", "config.openmode"}));
    expectConfiguration();
    EXPECT_EQ(frame.icon, kIconConfiguration);
}

TEST_F(ModeSwitcherTest, NoOpenModeRequestWhenTheConfigurationPortWillNotOpen) {
    ASSERT_TRUE(switcher.enterAcquisition(false));
    log.clear();
    config.opens = false;
    ASSERT_TRUE(switcher.leaveAcquisition());
    EXPECT_EQ(log.back(), "config.open");
    expectConfiguration();
}

TEST_F(ModeSwitcherTest, AcquisitionPortThatWillNotCloseKeepsAcquisition) {
    ASSERT_TRUE(switcher.enterAcquisition(true));
    acq.closes = false;
    op.expectMessage("Error Closing Acquisition Comport", "Application Error", Icon::Stop);
    EXPECT_FALSE(switcher.leaveAcquisition());
    EXPECT_EQ(switcher.mode(), Mode::TowedAcquisition);
    EXPECT_EQ(frame.menu, MenuId::TowAcq);
}

TEST_F(ModeSwitcherTest, LeavingAndClosingAreRefusedWhileLogging) {
    struct Case {
        int product;
        const char* message;
    };
    const Case cases[] = {
        {kProductVexa2, "You must end the current cast before leaving aquisition!"},
        {kProductVexa3, "You must end the current cast before leaving aquisition!"},
        {kProductTavrinCT, "You must stop the current logging session before leaving aquisition!"},
        {kProductTavrinP, "You must stop the current logging session before leaving aquisition!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product);
        config.product = c.product;
        ASSERT_TRUE(switcher.enterAcquisition(false));
        acq.isLogging = true;
        op.expectMessage(c.message, "Status - Logging", Icon::Stop);
        EXPECT_FALSE(switcher.leaveAcquisition());
        EXPECT_EQ(switcher.mode(), Mode::Acquisition);
        op.expectMessage(c.message, "Status - Logging", Icon::Stop);
        EXPECT_FALSE(switcher.mayClose());

        acq.isLogging = false;
        EXPECT_TRUE(switcher.mayClose());
        ASSERT_TRUE(switcher.leaveAcquisition());
    }
}

TEST_F(ModeSwitcherTest, ModuleAcquisitionOpensBothPortsAndRefusesToCloseWhileLogging) {
    ASSERT_TRUE(switcher.handleCommand(cmd::kModuleAcquisition));
    EXPECT_EQ(log, (Log{"config.close", "config.hide", "mod.show", "mod.open", "mod.nav"}));
    EXPECT_EQ(switcher.mode(), Mode::ModuleAcquisition);
    EXPECT_EQ(frame.client, ClientKind::ModAcq);
    EXPECT_EQ(frame.menu, MenuId::ModAcq);
    EXPECT_EQ(frame.icon, kIconAcquisition);
    EXPECT_EQ(frame.title, "Halcyx - Module Acquisition");

    modAcq.isLogging = true;
    op.expectMessage("You must stop the current logging session before leaving aquisition!",
                     "Status - Logging", Icon::Stop);
    EXPECT_FALSE(switcher.mayClose());
    modAcq.isLogging = false;
    EXPECT_TRUE(switcher.mayClose());
}

TEST_F(ModeSwitcherTest, SwitchesOnlyLeadFromTheModeTheyBelongTo) {
    ASSERT_TRUE(switcher.enterModuleAcquisition());
    log.clear();
    EXPECT_FALSE(switcher.enterAcquisition(false)) << "module acquisition ends with the program";
    EXPECT_FALSE(switcher.leaveAcquisition());
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(switcher.mode(), Mode::ModuleAcquisition);
}

} // namespace
} // namespace halcyx
