#include "core/instrument/ConfigSession.h"

#include "core/instrument/Format.h"
#include "core/instrument/SettingsReader.h"
#include "core/instrument/SettingsWriter.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"
#include "core/settings/PortSettings.h"

namespace halcyx {

ConfigSession::ConfigSession(SerialDevice& device, Clock& clock, Operator& op,
                             Profile& settingsFile, ProductChooser& chooser,
                             PortSetupDialog& portDialog)
    : device_(device), op_(op), settingsFile_(settingsFile), portDialog_(portDialog),
      port_(device, clock, op, portPathsFrom(settingsFile)), layer_(port_, op),
      detector_(layer_, record_, chooser) {}

bool ConfigSession::startUp() {
    record_.product = ProductCode::None;
    record_.model = modelText(ProductCode::None);
    // The port is opened twice; the second open closes and reopens it, and only its
    // result counts. A failed first opening has told the operator already.
    (void)openPortFromSettings();
    return openPortFromSettings();
}

std::optional<CheckOutcome> ConfigSession::onStartUpNotice(bool portOpened) {
    if (!portOpened) {
        explainPortFailure();
        portSetup();
    }
    if (!checkAtStartUp())
        return std::nullopt;
    return checkInstrument();
}

CheckOutcome ConfigSession::checkInstrument() {
    // A device that went away and came back is found on the same port again. A reopening
    // that fails has told the operator already, and the check then fails as it would.
    if (!port_.isOpen())
        (void)openPortFromSettings();
    const CheckOutcome outcome = detector_.CheckInstrument();
    if (outcome == CheckOutcome::Found)
        lost_ = false;
    else if (outcome != CheckOutcome::Declined)
        forgetInstrument();
    if (outcome == CheckOutcome::ChooseAnotherPort)
        portSetup();
    return outcome;
}

bool ConfigSession::noticeLostDevice() {
    if (port_.isOpen() || lost_)
        return false;
    forgetInstrument();
    return true;
}

void ConfigSession::forgetInstrument() {
    lost_ = true;
    layer_.clearOpenConfirmed();
    layer_.setMode(InstrumentMode::Unknown);
    record_.product = ProductCode::None;
    record_.saveEnable = false;
}

void ConfigSession::explainPortFailure() {
    const int number = port_.port();
    const std::string com = formatText("COM%d", number);
    op_.message(com + " is the device " + devicePathForPort(settingsFile_, number) +
                    ", which could not be opened: " + device_.lastErrorText() +
                    ".\n\nChoose another port in the Communications Setup dialog that follows "
                    "(later: Communications, Setup), or give " +
                    com +
                    " another device with its key in the [PORTS] section of the settings file " +
                    settingsFile_.path().string() + ", for example " + com + "=/dev/ttyUSB0.",
                "Serial Port Not Available", Icon::Information);
}

PortSetupResult ConfigSession::portSetup() {
    return runConfigPortSetup(layer_, settingsFile_, portDialog_);
}

std::optional<CheckOutcome> ConfigSession::afterTerminal(PortChoice before) {
    if (restoreAfterTerminal(port_, op_, before) != TerminalRestore::ReopenFailed)
        return std::nullopt;
    layer_.clearOpenConfirmed();
    record_.product = ProductCode::None;
    // A failed reopening has told the operator already; the check goes on as at start-up.
    (void)openPortFromSettings();
    if (!checkAtStartUp())
        return std::nullopt;
    return checkInstrument();
}

bool ConfigSession::openPortFromSettings() {
    return openConfigPort(layer_, settingsFile_);
}

void ConfigSession::readSettings() {
    ReadSettings(layer_, record_, settings_);
}

void ConfigSession::readClock() {
    ReadClock(layer_, settings_);
}

void ConfigSession::writeSettings() {
    WriteSettings(layer_, record_, settings_);
}

EnablingState ConfigSession::enablingState() const {
    return {record_.product, layer_.openConfirmed(), record_.settingsRead, record_.saveEnable};
}

bool ConfigSession::checkAtStartUp() const {
    return kCheckInt.read(settingsFile_) == 1;
}

} // namespace halcyx
