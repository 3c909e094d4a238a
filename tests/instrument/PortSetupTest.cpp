// Opening the instrument port from the settings file, the setup dialog, and the way back
// after the communications terminal.
#include "core/instrument/PortSetup.h"

#include "core/instrument/ConfigSession.h"
#include "core/settings/Catalogue.h"
#include "core/settings/PortSettings.h"
#include "core/settings/Profile.h"
#include "tests/instrument/Harness.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <tuple>

namespace halcyx::test {
namespace {

// The setup dialog of a test: hands back a scripted choice and records what it was shown.
class ScriptedPortDialog : public PortSetupDialog {
public:
    std::optional<PortChoice> choosePort(PortChoice current) override {
        shown.push_back(current);
        return choice;
    }
    std::optional<PortChoice> choice;
    std::vector<PortChoice> shown;
};

// The instrument port over a quiet stand-in, with a settings file of its own.
struct PortHarness : SimRigParts {
    PortHarness() : SimRigParts(std::make_unique<ScriptedPeer>(SimRig::kBaud)) {
        layer.setDelays({1, 1}); // so that every test sees the pauses the open sets
        port.setDefaultPause(1);
    }
    TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    ScriptedOperator op;
    CommPort port{device, clock, op, portPathsFrom(settings)};
    CommandLayer layer{port, op};
    ScriptedPortDialog dialog;
};

// The three reports of a port that will not open, the last one the caller's own.
void expectOpenFailure(ScriptedOperator& op, int port, const std::string& text,
                       const std::string& caption) {
    const std::string com = "COM" + std::to_string(port);
    op.expectMessage("OpenComm Error(" + com + ") = 19", "COMMUNICATION PORT ERROR", Icon::Stop)
        .expectMessage("No such device", "GetLastError", Icon::Information)
        .expectMessage(text, caption, Icon::Stop);
}

TEST(OpenConfigPort, TakesPortRateAndPausesFromTheSettingsFile) {
    struct Case {
        const char* port;     // nullptr: key missing
        const char* baudrate; // nullptr: key missing
        const char* device;
        std::uint32_t baud;
        CommandDelays delays;
        bool badRate;
    };
    const Case cases[] = {
        {nullptr, nullptr, "/dev/ttyS0", 9600, {20, 300}, false},
        {"2", "300", "/dev/ttyS1", 300, {100, 1500}, false},
        {"4", "1200", "/dev/ttyS3", 1200, {30, 700}, false},
        {"3", "19200", "/dev/ttyS2", 19200, {20, 300}, false},
        {"1", "14400", "/dev/ttyS0", 14400, {20, 300}, false},
        {"7", "9601", "/dev/ttyS0", 9600, {20, 300}, true},
    };
    for (const Case& c : cases) {
        PortHarness h;
        if (c.port)
            h.settings.writeString("COMMPORT", "Port", c.port);
        if (c.baudrate)
            h.settings.writeString("COMMPORT", "Baudrate", c.baudrate);
        if (c.badRate)
            h.op.expectMessage("Bad Baudrate value in Halcyx.ini, default to 9600",
                               "INI FILE ERROR", Icon::Stop);
        ASSERT_TRUE(openConfigPort(h.layer, h.settings)) << c.device;
        EXPECT_EQ(std::make_tuple(h.device.path(), h.device.portBaud(), h.layer.delays()),
                  std::make_tuple(c.device, c.baud, c.delays));
        EXPECT_EQ(h.port.defaultPause(), c.delays.responseMs);
        EXPECT_EQ(std::make_tuple(h.port.inputFigure(), h.port.outputFigure()),
                  std::make_tuple(1024, 1024));
    }
}

TEST(OpenConfigPort, APortThatWillNotOpenIsReported) {
    PortHarness h;
    h.device.missingPaths = {"/dev/ttyS0"};
    expectOpenFailure(h.op, 1, "Error opening COM1", "OPEN COMM ERROR");
    EXPECT_FALSE(openConfigPort(h.layer, h.settings));
    EXPECT_FALSE(h.port.isOpen());
    EXPECT_EQ(h.layer.delays(), (CommandDelays{1, 1})) << "pauses stay as they were";
}

TEST(ConfigPortSetup, TheDialogsRateRulesDifferFromTheOpenRules) {
    struct Case {
        std::uint32_t from;
        std::uint32_t to;
        CommandDelays delays;
    };
    const Case cases[] = {
        {9600, 19200, {10, 150}}, {300, 2400, {100, 1500}}, {9600, 1200, {30, 700}},
        {19200, 9600, {20, 300}}, {1200, 300, {100, 1500}},
    };
    for (const Case& c : cases) {
        PortHarness h;
        h.settings.writeString("COMMPORT", "Baudrate", std::to_string(c.from));
        ASSERT_TRUE(openConfigPort(h.layer, h.settings));
        h.dialog.choice = PortChoice{1, c.to};
        EXPECT_EQ(runConfigPortSetup(h.layer, h.settings, h.dialog), PortSetupResult::Applied);
        EXPECT_EQ(h.dialog.shown.at(0).baud, c.from);
        EXPECT_EQ(h.device.portBaud(), c.to);
        EXPECT_EQ(h.layer.delays(), c.delays) << c.from << " to " << c.to;
        EXPECT_EQ(h.port.defaultPause(), delaysAtOpen(c.from).responseMs)
            << "the default pause stays";
        EXPECT_EQ(kInstrumentBaud.read(h.settings), static_cast<int>(c.to));
    }
}

TEST(ConfigPortSetup, CancelKeepsAllAndANewOrRemappedPortIsOpenedAndWritten) {
    PortHarness h;
    ASSERT_TRUE(openConfigPort(h.layer, h.settings));
    EXPECT_EQ(runConfigPortSetup(h.layer, h.settings, h.dialog), PortSetupResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(h.settings.path()));

    h.dialog.choice = PortChoice{3, 4800};
    EXPECT_EQ(runConfigPortSetup(h.layer, h.settings, h.dialog), PortSetupResult::Applied);
    EXPECT_EQ(h.device.path(), "/dev/ttyS2");
    EXPECT_EQ(h.port.inputFigure(), 4096);
    EXPECT_EQ(std::make_tuple(kInstrumentPort.read(h.settings), kInstrumentBaud.read(h.settings)),
              std::make_tuple(3, 4800));

    h.settings.writeString("PORTS", "COM1", "/dev/ttyUSB0");
    h.dialog.choice = PortChoice{1, 9600, true};
    EXPECT_EQ(runConfigPortSetup(h.layer, h.settings, h.dialog), PortSetupResult::Applied);
    EXPECT_EQ(h.device.path(), "/dev/ttyUSB0");
}

TEST(ConfigPortSetup, APortThatDoesNotExistLeavesNoPortAndTheOldSetting) {
    PortHarness h;
    h.settings.writeString("COMMPORT", "Port", "1");
    ASSERT_TRUE(openConfigPort(h.layer, h.settings));
    h.device.missingPaths = {"/dev/ttyS1"};
    h.dialog.choice = PortChoice{2, 9600};
    expectOpenFailure(h.op, 2, "Error opening COM2", "OPEN COMM ERROR");
    EXPECT_EQ(runConfigPortSetup(h.layer, h.settings, h.dialog), PortSetupResult::PortFailed);
    EXPECT_FALSE(h.port.isOpen());
    EXPECT_EQ(kInstrumentPort.read(h.settings), 1);

    // Once the device is back, choosing the same port number opens it again.
    h.device.missingPaths.clear();
    EXPECT_EQ(runConfigPortSetup(h.layer, h.settings, h.dialog), PortSetupResult::Applied);
    EXPECT_TRUE(h.port.isOpen());
    EXPECT_EQ(kInstrumentPort.read(h.settings), 2);
}

TEST(RestoreAfterTerminal, BringsBackTheEarlierPortAndRate) {
    PortHarness h;
    ASSERT_TRUE(openConfigPort(h.layer, h.settings));
    EXPECT_EQ(restoreAfterTerminal(h.port, h.op, {1, 9600}), TerminalRestore::Unchanged);

    h.port.SetBaud(2400); // the terminal's own rate choice
    EXPECT_EQ(restoreAfterTerminal(h.port, h.op, {1, 9600}), TerminalRestore::Restored);
    EXPECT_EQ(h.device.portBaud(), 9600u);

    ASSERT_TRUE(h.port.OpenPort(2)); // the terminal moved to COM2
    h.port.SetBaud(300);
    EXPECT_EQ(restoreAfterTerminal(h.port, h.op, {1, 9600}), TerminalRestore::Restored);
    EXPECT_EQ(h.device.path(), "/dev/ttyS0");
    EXPECT_EQ(h.device.portBaud(), 9600u) << "the reopened device gets our rate back";

    h.port.Close(); // a failed change in the terminal left the port closed
    EXPECT_EQ(restoreAfterTerminal(h.port, h.op, {1, 9600}), TerminalRestore::Restored);
    EXPECT_TRUE(h.port.isOpen());
}

// The configuration session over a simulated Vexa 3, with a settings file of its own.
struct SessionRig : SimRig {
    SessionRig() { port.Close(); } // the session opens the line itself
    TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    ScriptedPortDialog dialog;
    ConfigSession session{device, clock, op, settings, chooser, dialog};
};

TEST(ConfigSession, AFailedStartUpOffersTheSetupDialogThenLooksForTheInstrument) {
    SessionRig h;
    h.settings.writeString("SETTINGS", "CheckInt", "1");
    h.device.missingPaths = {"/dev/ttyS0"};
    for (int open = 0; open < 2; ++open)
        expectOpenFailure(h.op, 1, "Error opening COM1", "OPEN COMM ERROR");
    EXPECT_FALSE(h.session.startUp());
    EXPECT_EQ(h.session.record().model, "NONE");

    // Once, before the dialog: which device failed and where to change it.
    h.op.expectMessage(
        "COM1 is the device /dev/ttyS0, which could not be opened: " + h.device.lastErrorText() +
            ".\n\nChoose another port in the Communications Setup dialog that "
            "follows (later: Communications, Setup), or give COM1 another device "
            "with its key in the [PORTS] section of the settings file " +
            h.settings.path().string() + ", for example COM1=/dev/ttyUSB0.",
        "Serial Port Not Available", Icon::Information);
    h.dialog.choice = PortChoice{2, 9600};
    EXPECT_EQ(h.session.onStartUpNotice(false), CheckOutcome::Found);
    EXPECT_EQ(h.device.path(), "/dev/ttyS1");
    EXPECT_EQ(h.session.record().product, ProductCode::Vexa3);
    EXPECT_TRUE(isCommandEnabled(cmd::kDeploy, h.session.enablingState()));
}

TEST(ConfigSession, APortLostAfterTheTerminalForgetsTheInstrument) {
    SessionRig h;
    ASSERT_TRUE(h.session.startUp());
    ASSERT_EQ(h.session.onStartUpNotice(true), std::nullopt) << "CheckInt is 0 by default";
    ASSERT_EQ(h.session.checkInstrument(), CheckOutcome::Found);

    ASSERT_TRUE(h.session.port().OpenPort(2));
    h.device.missingPaths = {"/dev/ttyS0"};
    // The earlier port will not reopen, nor will it open from the settings file.
    expectOpenFailure(h.op, 1, "Error Opening Comport", "COMMUNICATION PORT ERROR");
    expectOpenFailure(h.op, 1, "Error opening COM1", "OPEN COMM ERROR");
    EXPECT_EQ(h.session.afterTerminal({1, 9600}), std::nullopt);
    EXPECT_EQ(h.session.record().product, ProductCode::None);
    EXPECT_FALSE(h.session.enablingState().openConfirmed);
}

} // namespace
} // namespace halcyx::test
