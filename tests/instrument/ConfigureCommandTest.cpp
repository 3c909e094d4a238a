// The configure and open commands end to end against simulated instruments: the questions
// and reads before the dialog, what the dialog is shown, and what reaches the instrument.
#include "core/instrument/ConfigureCommand.h"

#include "tests/instrument/Harness.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

namespace halcyx::test {
namespace {

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

// A Vexa's settings as a test finds them.
void vexaSettings(sim::Instrument::Config& config) {
    config.settings.intervalTime = "00:05:00";
    config.settings.tau = 3;
}

// The configuration window's port with a simulated instrument behind it, detected.
class Configure : public ::testing::Test {
protected:
    void attach(ProductCode model, const AdjustConfig& adjust = vexaSettings) {
        h = std::make_unique<SimRig>(model, adjust);
        ASSERT_TRUE(h->detector.Detect());
        h->device.traffic().clear();
    }
    void attachVexa3() { attach(ProductCode::Vexa3); }
    ConfigureOutcome configure() {
        return configureInstrument(h->layer, h->record, h->settings, dialogs);
    }

    std::unique_ptr<SimRig> h;
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
    const VexaConfigData& shown = dialogs.shownVexa;
    EXPECT_EQ(std::tie(shown.intervalTime, shown.instrumentDate),
              std::make_tuple("00:05:00", "12-06-2026"));
    EXPECT_EQ(shown.samplingRate, (std::array<std::uint16_t, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(shown.instrumentTime.size(), 8u);
    EXPECT_TRUE(h->record.settingsRead && h->record.saveEnable);

    const sim::InstrumentSettings& stored = h->instrument().storedSettings();
    EXPECT_EQ(std::tie(stored.intervalTime, stored.dcChannels[6], stored.tau),
              std::make_tuple("00:10:00", true, 2));
    EXPECT_EQ(h->settings.samplingRateIndex, 2);
    EXPECT_EQ(h->settings.channelMask & 0x4000u, 0x4000u);
}

TEST_F(Configure, CancelSendsNothingAndKeepsTheRecord) {
    attachVexa3();
    std::string beforeClose;
    dialogs.save = false;
    dialogs.onClose = [&] { beforeClose = h->received(); };

    EXPECT_EQ(configure(), ConfigureOutcome::Cancelled);
    EXPECT_EQ(h->received(), beforeClose);
    EXPECT_EQ(h->settings.vexa.intervalTime, "00:05:00");
}

TEST_F(Configure, SettingsAlreadyReadAreNotReadAgain) {
    attachVexa3();
    h->record.settingsRead = true;
    std::string beforeClose;
    dialogs.save = false;
    dialogs.onClose = [&] { beforeClose = h->received(); };

    configure();
    // Only the clock was asked for: each query is followed by a bare return.
    EXPECT_EQ(beforeClose, "5340 < TIME\\r\n6640 < \\rDATE\\r\n7960 < \\r\n");
    EXPECT_FALSE(h->record.saveEnable);
}

TEST_F(Configure, ADeployedInstrumentIsLeftAloneUnlessTheOperatorSaysSo) {
    attachVexa3();
    h->record.deployed = true;
    h->op.expectQuestion(kDeployedQuestion, "Deploy", false);
    EXPECT_EQ(configure(), ConfigureOutcome::StillDeployed);
    EXPECT_TRUE(h->record.deployed);
    EXPECT_EQ(h->received(), "");
    EXPECT_TRUE(dialogs.log.empty());

    h->op.expectQuestion(kDeployedQuestion, "Deploy", true);
    dialogs.save = false;
    EXPECT_EQ(configure(), ConfigureOutcome::Cancelled);
    EXPECT_FALSE(h->record.deployed);
}

TEST_F(Configure, AFailedClockReadIsReportedAndTheDialogStillShows) {
    attach(ProductCode::Vexa3, [](auto& config) {
        vexaSettings(config);
        config.faults.refused = {"TIME"};
    });
    h->record.settingsRead = true;
    h->settings.instrumentTime = "07:00:00";
    dialogs.save = false;
    h->op.expectMessage("ERROR - Reading Instrument Time", "Communication Error", Icon::Stop);

    EXPECT_EQ(configure(), ConfigureOutcome::Cancelled);
    EXPECT_EQ(std::tie(dialogs.shownVexa.instrumentTime, dialogs.shownVexa.instrumentDate),
              std::make_tuple("07:00:00", "12-06-2026"));
}

TEST_F(Configure, AnInstrumentThatWillNotOpenEndsTheCommand) {
    attachVexa3();
    h->layer.setMode(InstrumentMode::Run);
    h->instrument().faults().silent = true;
    h->op.expectMessage(std::string(kNotInOpenMode), "Open Mode Timeout error", Icon::Stop);
    EXPECT_EQ(configure(), ConfigureOutcome::NotOpen);
    EXPECT_TRUE(dialogs.log.empty());
    EXPECT_FALSE(h->record.settingsRead);
}

TEST_F(Configure, EachModelGetsItsOwnDialogWithItsSwitches) {
    dialogs.save = false;
    attach(ProductCode::Vexa2);
    configure();
    attach(ProductCode::TavrinCT);
    configure();
    // A Tavrin P firmware too old to average.
    attach(ProductCode::TavrinP, [](auto& config) { config.identity.firmware = "V1.20"; });
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
    h->op.expectFile(true, file);
    ASSERT_TRUE(SaveConfiguration(h->op, {h->record, h->settings, dcTable}));
    EXPECT_FALSE(h->record.saveEnable);

    h->instrument().settings().intervalTime = "00:02:00";
    h->instrument().settings().tau = 0;
    dcTable.setName(1, "DC2");
    h->record.settingsRead = false;
    dialogs.save = true;
    h->op.expectFile(false, file);

    EXPECT_EQ(openConfigurationCommand(h->layer, {h->record, h->settings, dcTable}, dialogs),
              OpenOutcome::Loaded);
    EXPECT_EQ(dialogs.shownVexa.intervalTime, "00:05:00");
    EXPECT_EQ(dcTable.texts(1).name, "Oxygen");
    const sim::InstrumentSettings& stored = h->instrument().storedSettings();
    EXPECT_EQ(std::tie(stored.intervalTime, stored.tau), std::make_tuple("00:05:00", 3));
    EXPECT_TRUE(h->record.settingsRead && h->record.saveEnable);
}

} // namespace
} // namespace halcyx::test
