// The configure and open commands end to end against simulated instruments: the questions
// and reads before the dialog, what the dialog is shown, and what reaches the instrument.
#include "instrument/ConfigureCommand.h"

#include "TempFolder.h"
#include "ScriptedOperator.h"
#include "SimDevice.h"
#include "TavrinModel.h"
#include "VexaModel.h"
#include "instrument/CommandDelays.h"
#include "instrument/CommandLayer.h"
#include "instrument/Detection.h"
#include "instrument/ProductChooser.h"
#include "serial/CommPort.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace halcyx::test {
namespace {

using sim::Direction;

class NoChooser : public ProductChooser {
public:
    std::optional<ProductCode> chooseProduct(ProductCode) override {
        ADD_FAILURE() << "the serial number names the model";
        return std::nullopt;
    }
};

// The model's dialog of a test: records which dialog was shown with which switches and
// the Vexa record it was shown, edits the Vexa record as told and answers Save or Cancel.
class ScriptedDialogs : public ConfigDialogRunner {
public:
    bool runVexa(VexaConfigData& record, bool dc7And8, bool averaging) override {
        shownVexa = record;
        if (save && editVexa)
            editVexa(record);
        return shown("Configure Vexa", dc7And8, averaging);
    }
    bool runTavrinCT(CTConfigData&, bool averaging) override {
        return shown("Configure CT", false, averaging);
    }
    bool runTavrinP(PConfigData&, bool averaging) override {
        return shown("Configure Tavrin Pressure", false, averaging);
    }

    bool save = true;
    std::function<void(VexaConfigData&)> editVexa;
    std::function<void()> onClose; // e.g. to look at the traffic so far
    std::vector<std::string> log;  // "<title> dc78=<0|1> avg=<0|1>"
    VexaConfigData shownVexa;

private:
    bool shown(const std::string& title, bool dc7And8, bool averaging) {
        log.push_back(title + " dc78=" + std::to_string(dc7And8) +
                      " avg=" + std::to_string(averaging));
        if (onClose)
            onClose();
        return save;
    }
};

sim::Instrument::Config vexaConfig(const char* serialNumber, const char* firmware) {
    sim::Instrument::Config config;
    config.identity = {serialNumber, firmware, "10OCT97", 1};
    config.settings.intervalTime = "00:05:00";
    config.settings.tau = 3;
    return config;
}

// The configuration window's port with a simulated instrument behind it, detected.
class Configure : public ::testing::Test {
protected:
    void attach(std::unique_ptr<sim::Instrument> attached) {
        // Whatever talks to the previous instrument goes before it does.
        layer.reset();
        port.reset();
        device.reset();
        instrument = std::move(attached);
        record = {};
        device = std::make_unique<sim::SimDevice>(clock, *instrument);
        port = std::make_unique<CommPort>(*device, clock, op, CommPort::PathForPort{});
        port->Setup(1, 1024, 1024);
        port->SetBaud(kBaud);
        layer = std::make_unique<CommandLayer>(*port, op);
        layer->setDelays(delaysAtOpen(kBaud));
        port->SetDefaultPause(layer->delays().responseMs);
        Detector detector(*layer, record, chooser);
        ASSERT_TRUE(detector.Detect());
        device->traffic().clear();
    }
    void attachVexa3() {
        attach(std::make_unique<sim::VexaModel>(sim::VexaModel::Generation::Vexa3,
                                                vexaConfig("1634M", "2.10")));
    }
    // What the instrument received since the last clear, one line per burst, without times.
    std::string received() {
        std::string text;
        for (const auto& burst : device->traffic().bursts()) {
            if (burst.direction == Direction::FromProgram)
                text += burst.bytes;
        }
        return text;
    }
    ConfigureOutcome configure() { return ConfigureInstrument(*layer, record, settings, dialogs); }

    static constexpr std::uint32_t kBaud = 9600;
    VirtualClock clock;
    ScriptedOperator op;
    std::unique_ptr<sim::Instrument> instrument;
    std::unique_ptr<sim::SimDevice> device;
    std::unique_ptr<CommPort> port;
    std::unique_ptr<CommandLayer> layer;
    NoChooser chooser;
    InstrumentRecord record;
    InstrumentSettings settings;
    DCChannelTable dcTable;
    ScriptedDialogs dialogs;
};

TEST_F(Configure, AVexa3IsReadShownAndWrittenBack) {
    attachVexa3();
    dialogs.editVexa = [](VexaConfigData& r) {
        r.intervalTime = "00:10:00";
        r.dcChannel[6] = 1;
        r.samplingRate = {0, 0, 1, 0, 0};
    };

    EXPECT_EQ(configure(), ConfigureOutcome::Written);

    EXPECT_EQ(dialogs.log, (std::vector<std::string>{"Configure Vexa dc78=1 avg=1"}));
    // The dialog saw what the instrument holds and its clock, read just before.
    EXPECT_EQ(dialogs.shownVexa.intervalTime, "00:05:00");
    EXPECT_EQ(dialogs.shownVexa.samplingRate, (std::array<std::uint16_t, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(dialogs.shownVexa.instrumentDate, "12-06-2026");
    EXPECT_EQ(dialogs.shownVexa.instrumentTime.size(), 8u);
    EXPECT_TRUE(record.settingsRead);
    EXPECT_TRUE(record.saveEnable);

    const sim::InstrumentSettings& stored = instrument->storedSettings();
    EXPECT_EQ(stored.intervalTime, "00:10:00");
    EXPECT_TRUE(stored.dcChannels[6]);
    EXPECT_EQ(stored.tau, 2);
    EXPECT_EQ(settings.samplingRateIndex, 2);
    EXPECT_EQ(settings.channelMask & 0x4000u, 0x4000u);
}

TEST_F(Configure, CancelSendsNothingAndKeepsTheRecord) {
    attachVexa3();
    std::string beforeClose;
    dialogs.save = false;
    dialogs.onClose = [&] { beforeClose = received(); };

    EXPECT_EQ(configure(), ConfigureOutcome::Cancelled);
    EXPECT_EQ(received(), beforeClose);
    EXPECT_EQ(settings.vexa.intervalTime, "00:05:00");
}

TEST_F(Configure, SettingsAlreadyReadAreNotReadAgain) {
    attachVexa3();
    record.settingsRead = true;
    std::string beforeClose;
    dialogs.save = false;
    dialogs.onClose = [&] { beforeClose = received(); };

    configure();
    // Only the clock was asked for: each query is followed by a bare return.
    EXPECT_EQ(beforeClose, "TIME\r\rDATE\r\r");
    EXPECT_FALSE(record.saveEnable);
}

TEST_F(Configure, ADeployedInstrumentIsLeftAloneUnlessTheOperatorSaysSo) {
    attachVexa3();
    record.deployed = true;
    op.expectQuestion("The Instrument is currently deployed!\nStop deployment?", "Deploy", false);
    EXPECT_EQ(configure(), ConfigureOutcome::StillDeployed);
    EXPECT_TRUE(record.deployed);
    EXPECT_EQ(received(), "");
    EXPECT_TRUE(dialogs.log.empty());

    op.expectQuestion("The Instrument is currently deployed!\nStop deployment?", "Deploy", true);
    dialogs.save = false;
    EXPECT_EQ(configure(), ConfigureOutcome::Cancelled);
    EXPECT_FALSE(record.deployed);
}

TEST_F(Configure, AFailedClockReadIsReportedAndTheDialogStillShows) {
    sim::Instrument::Config config = vexaConfig("1634M", "2.10");
    config.faults.refused = {"TIME"};
    attach(std::make_unique<sim::VexaModel>(sim::VexaModel::Generation::Vexa3, config));
    record.settingsRead = true;
    settings.instrumentTime = "07:00:00";
    dialogs.save = false;
    op.expectMessage("ERROR - Reading Instrument Time", "Communication Error", Icon::Stop);

    EXPECT_EQ(configure(), ConfigureOutcome::Cancelled);
    EXPECT_EQ(dialogs.shownVexa.instrumentTime, "07:00:00");
    EXPECT_EQ(dialogs.shownVexa.instrumentDate, "12-06-2026");
}

TEST_F(Configure, AnInstrumentThatWillNotOpenEndsTheCommand) {
    attachVexa3();
    layer->setMode(InstrumentMode::Run);
    instrument->faults().silent = true;
    op.expectMessage(std::string(kNotInOpenMode), "Open Mode Timeout error", Icon::Stop);
    EXPECT_EQ(configure(), ConfigureOutcome::NotOpen);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_FALSE(record.settingsRead);
}

TEST_F(Configure, EachModelGetsItsOwnDialogWithItsSwitches) {
    sim::Instrument::Config ct;
    ct.identity = {"F0123", "V1.70", "05MAR25", 1};
    sim::Instrument::Config p;
    p.identity = {"Q0456", "V1.20", "05MAR25", 1};
    attach(std::make_unique<sim::VexaModel>(sim::VexaModel::Generation::Vexa2,
                                            vexaConfig("2345M", "1.50")));
    dialogs.save = false;
    configure();
    attach(std::make_unique<sim::TavrinModel>(sim::TavrinModel::Kind::CT, ct));
    configure();
    attach(std::make_unique<sim::TavrinModel>(sim::TavrinModel::Kind::P, p));
    configure();
    EXPECT_EQ(dialogs.log,
              (std::vector<std::string>{"Configure Vexa dc78=0 avg=0", "Configure CT dc78=0 avg=1",
                                        "Configure Tavrin Pressure dc78=0 avg=0"}));
}

// A configuration saved from one instrument's settings and opened again later puts those
// settings back into the instrument after the dialog's "Save".
TEST_F(Configure, ASavedFileOpenedAgainRestoresTheInstrument) {
    attachVexa3();
    dialogs.save = false;
    configure();
    TempFolder folder;
    const std::string file = (folder / "CAST1.CFG").string();
    dcTable.setName(1, "Oxygen");
    op.expectFile(true, file);
    ASSERT_TRUE(SaveConfiguration(op, {record, settings, dcTable}));
    EXPECT_FALSE(record.saveEnable);

    instrument->settings().intervalTime = "00:02:00";
    instrument->settings().tau = 0;
    dcTable.setName(1, "DC2");
    record.settingsRead = false;
    dialogs.save = true;
    op.expectFile(false, file);

    EXPECT_EQ(OpenConfigurationCommand(*layer, {record, settings, dcTable}, dialogs),
              OpenOutcome::Loaded);
    EXPECT_EQ(dialogs.shownVexa.intervalTime, "00:05:00");
    EXPECT_EQ(dcTable.texts(1).name, "Oxygen");
    EXPECT_EQ(instrument->storedSettings().intervalTime, "00:05:00");
    EXPECT_EQ(instrument->storedSettings().tau, 3);
    EXPECT_TRUE(record.settingsRead);
    EXPECT_TRUE(record.saveEnable);
}

} // namespace
} // namespace halcyx::test
