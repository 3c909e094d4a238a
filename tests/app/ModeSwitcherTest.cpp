// Mode switches, the order in which the windows hand the instrument port over and what a
// refused or failed switch leaves behind, seen through fakes of the windows.
#include "core/app/ModeSwitcher.h"

#include "core/base/Commands.h"
#include "core/base/Product.h"
#include "tests/support/ScriptedOperator.h"

#include <gtest/gtest.h>
#include <string>

namespace halcyx {
namespace {

// Notes every call of the fakes in one log, so the order across the windows shows.
struct Recorder {
    explicit Recorder(std::string& log) : log(log) {}
    bool note(const char* call, bool result = true) {
        log += (log.empty() ? "" : " ") + std::string(call);
        return result;
    }
    std::string& log;
};

struct FakeConfig : ConfigClient, Recorder {
    using Recorder::Recorder;
    ProductCode productCode() const override { return product; }
    ChannelMask channelMask() const override { return mask; }
    SamplingRateFlags samplingRateFlags() const override { return {false, false, true, true}; }
    void readInstrumentSettings() override {
        note("config.read");
        mask = maskAfterRead;
    }
    void enterRunMode() override { note("config.run"); }
    bool closePort() override { return note("config.close", closes); }
    bool openPortFromSettings() override { return note("config.open", opens); }
    void requestOpenMode() override { note("config.openmode"); }
    void setShown(bool shown) override { note(shown ? "config.show" : "config.hide"); }
    ProductCode product = ProductCode::Vexa3;
    ChannelMask mask = 0x3f, maskAfterRead = 0;
    bool closes = true, opens = true;
};

struct FakeAcq : AcqClient, Recorder {
    using Recorder::Recorder;
    bool logging() const override { return false; }
    void setTowed(bool) override {}
    void setProductCode(ProductCode) override {}
    void setChannelMask(ChannelMask) override {}
    void setSamplingRate(float scansPerSecond) override { rate = scansPerSecond; }
    bool closeDataPort() override { return note("acq.close", closes); }
    void openDataPort() override { note("acq.open"); }
    void openNavigationPort() override { note("acq.nav"); }
    void setShown(bool shown) override { note(shown ? "acq.show" : "acq.hide"); }
    float rate = -1;
    bool closes = true;
};

struct FakeModAcq : ModAcqClient, Recorder {
    using Recorder::Recorder;
    bool logging() const override { return false; }
    void openDataPort() override { note("mod.open"); }
    void openNavigationPort() override { note("mod.nav"); }
    void setShown(bool shown) override { note(shown ? "mod.show" : "mod.hide"); }
};

// The frame's client, menu and icon change with its title; the title stands for all.
struct FakeFrame : FrameView, Recorder {
    using Recorder::Recorder;
    void setClient(ClientKind) override {}
    void setMenu(MenuId) override {}
    void setIcon(int) override {}
    void setTitle(const std::string&) override { note("frame"); }
};

struct Rig {
    std::string log;
    FakeFrame frame{log};
    FakeConfig config{log};
    FakeAcq acq{log};
    FakeModAcq modAcq{log};
    test::ScriptedOperator op;
    ModeSwitcher switcher{frame, config, acq, modAcq, op};
};

TEST(ModeSwitcher, EachSwitchHandsThePortOverInOrderAndStopsAtAFailedStep) {
    struct Case {
        const char* name;
        int before; // a switch made first; 0 for none
        int command;
        const char* error; // the "Application Error" shown; nullptr for none
        std::string log;
        Mode mode;
        void (*given)(Rig&) = nullptr; // before the command
    };
    const std::string acquisition = "config.run config.close acq.show config.hide acq.open";
    const std::string leaving = "acq.close acq.hide config.show frame config.open";
    const char* const configStaysOpen = "Error Closing Configuration Comport";
    // clang-format off
    const Case cases[] = {
        {"acquisition", 0, cmd::kAcquisition, nullptr, acquisition + " frame", Mode::Acquisition},
        {"towed: navigation after data", 0, cmd::kTowAcquisition, nullptr,
         acquisition + " acq.nav frame", Mode::TowedAcquisition},
        {"unread settings are read first", 0, cmd::kAcquisition, nullptr,
         "config.read " + acquisition + " frame", Mode::Acquisition,
         [](Rig& r) { r.config.mask = 0, r.config.maskAfterRead = 7; }},
        {"towed, Tavrin CT", 0, cmd::kTowAcquisition,
         "Towed Acquisition is NOT available with CT instruments (NO PRESSURE)!", "",
         Mode::Configuration, [](Rig& r) { r.config.product = ProductCode::TavrinCT; }},
        {"towed, Tavrin P", 0, cmd::kTowAcquisition,
         "Towed Acquisition is NOT available with Tavrin Pressure instruments!", "",
         Mode::Configuration, [](Rig& r) { r.config.product = ProductCode::TavrinP; }},
        {"no channels: silence", 0, cmd::kTowAcquisition, nullptr, "config.read",
         Mode::Configuration, [](Rig& r) { r.config.mask = 0; }},
        {"config port stays open", 0, cmd::kAcquisition, configStaysOpen,
         "config.run config.close", Mode::Configuration, [](Rig& r) { r.config.closes = false; }},
        {"module acquisition", 0, cmd::kModuleAcquisition, nullptr,
         "config.close config.hide mod.show frame mod.open mod.nav", Mode::ModuleAcquisition},
        {"module: config port stays open", 0, cmd::kModuleAcquisition, configStaysOpen,
         "config.close", Mode::Configuration, [](Rig& r) { r.config.closes = false; }},
        {"leaving stops the instrument", cmd::kAcquisition, cmd::kConfiguration, nullptr,
         leaving + " config.openmode", Mode::Configuration},
        {"leaving: config port will not open", cmd::kAcquisition, cmd::kConfiguration, nullptr,
         leaving, Mode::Configuration, [](Rig& r) { r.config.opens = false; }},
        {"leaving: acq port stays open", cmd::kTowAcquisition, cmd::kConfiguration,
         "Error Closing Acquisition Comport", "acq.close", Mode::TowedAcquisition,
         [](Rig& r) { r.acq.closes = false; }},
        {"module to acquisition", cmd::kModuleAcquisition, cmd::kAcquisition, nullptr, "",
         Mode::ModuleAcquisition},
        {"module to configuration", cmd::kModuleAcquisition, cmd::kConfiguration, nullptr, "",
         Mode::ModuleAcquisition},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.switcher.start();
        if (c.before)
            rig.switcher.handleCommand(c.before);
        if (c.given)
            c.given(rig);
        if (c.error)
            rig.op.expectMessage(c.error, "Application Error", Icon::Stop);
        rig.log.clear();
        EXPECT_TRUE(rig.switcher.handleCommand(c.command));
        EXPECT_EQ(rig.log, c.log);
        EXPECT_EQ(rig.switcher.mode(), c.mode);
    }
}

TEST(ModeSwitcher, TowedScanRateByProductAndChoice) {
    struct Case {
        ProductCode product;
        int chosen; // index of the one set flag, -1 for none
        float rate;
    };
    const Case cases[] = {
        {ProductCode::Vexa2, 0, 1.83f},  {ProductCode::Vexa3, 1, 2.58f},
        {ProductCode::Vexa3, 2, 3.03f},  {ProductCode::Vexa3, 3, 4.08f},
        {ProductCode::Vexa2, 4, 4.50f},  {ProductCode::Vexa3, -1, 0.5f},
        {ProductCode::None, 0, 0.5f},    {ProductCode::TavrinCT, 1, 0.5f},
        {ProductCode::TavrinP, 4, 0.5f},
    };
    for (const Case& c : cases) {
        SamplingRateFlags flags{};
        if (c.chosen >= 0)
            flags[static_cast<std::size_t>(c.chosen)] = true;
        EXPECT_FLOAT_EQ(towedSamplingRate(c.product, flags), c.rate)
            << "product " << modelText(c.product) << " choice " << c.chosen;
    }
    Rig rig;
    rig.switcher.enterAcquisition(true);
    EXPECT_FLOAT_EQ(rig.acq.rate, 3.03f) << "the first chosen rate reaches the window";
}

} // namespace
} // namespace halcyx
