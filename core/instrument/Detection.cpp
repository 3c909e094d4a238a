#include "core/instrument/Detection.h"

#include "core/instrument/CommandLayer.h"
#include "core/instrument/Format.h"
#include "core/instrument/Identification.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/ProductChooser.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

namespace halcyx {

namespace {

constexpr int kOpenModeAttempts = 5;
constexpr int kAddressProbes = 8; // instrument addresses 0..7
constexpr std::size_t kProbeAnswerBytes = 2;
constexpr std::uint8_t kFirstNonAsciiByte = 0x80;

// An address-mode instrument answers a probe with a carriage return or plain text;
// line noise shows up as bytes beyond the ASCII range.
bool isProbeAnswer(const std::vector<std::uint8_t>& bytes) {
    return !bytes.empty() && (bytes.front() == '\r' || bytes.front() < kFirstNonAsciiByte);
}

} // namespace

Detector::Detector(CommandLayer& layer, InstrumentRecord& record, ProductChooser& chooser)
    : layer_(layer), record_(record), chooser_(chooser) {}

CheckOutcome Detector::CheckInstrument() {
    Operator& op = layer_.op();
    if (record_.deployed) {
        if (!op.askYesNo("The Instrument is currently deployed!\nStop deployment?", "Deploy",
                         Icon::Question))
            return CheckOutcome::Declined;
        record_.deployed = false;
    }
    if (Detect())
        return CheckOutcome::Found;
    const std::string question =
        formatText("No instrument found on COM%d\nDo you want to check another COM port?",
                   layer_.port().port());
    return op.askYesNo(question, "Check Instrument", Icon::Question)
               ? CheckOutcome::ChooseAnotherPort
               : CheckOutcome::NotFound;
}

bool Detector::Detect() {
    Operator& op = layer_.op();
    WaitCursor wait(op);
    ProgressBox box(op);
    box.line1(formatText("Looking for Instrument on COM%d...", layer_.port().port()));
    if (!findInOpenMode())
        return false;

    layer_.pauseResponse();
    box.line1("Get Instrument Serial Number");
    box.line2("S/N");
    if (const auto serialNumber = layer_.queryValue("S/N", "S/N"))
        identify(*serialNumber);

    if (isIdentified(record_.product))
        readAddress();
    readFirmware();

    box.line1("Get Instrument Calibration Date");
    box.line2("CDATE");
    if (const auto calDate = layer_.queryValue("CDATE", "DATE"))
        record_.calDate = *calDate;

    record_.saveEnable = false;
    record_.settingsRead = false;
    return true;
}

bool Detector::findInOpenMode() {
    Operator& op = layer_.op();
    for (int attempt = 0;; ++attempt) {
        op.progressLine2("***O");
        switch (layer_.EnterOpenMode()) {
        case OpenResult::Open:
            return true;
        case OpenResult::NoAnswer:
            op.progressLine2("NO RESPONSE...");
            layer_.StopContinuous();
            break;
        case OpenResult::NotOpen:
            op.progressLine1("Stopping Set Continuous mode...");
            op.progressLine2("S");
            layer_.StopContinuous();
            break;
        }
        if (attempt + 1 < kOpenModeAttempts)
            continue;
        if (!op.askYesNo("No Response from instrument!\nDo you want to check if the instrument "
                         "is in Address Mode?",
                         "No Instrument", Icon::Question))
            return false;
        layer_.pauseResponse();
        const bool found = CheckAddressMode();
        // The address check closed the one progress box; bring it back for what follows.
        op.progressShow();
        return found;
    }
}

void Detector::identify(const std::string& serialNumber) {
    Operator& op = layer_.op();
    record_.serialNumber = serialNumber;
    if (const auto product = productFromSerialNumber(serialNumber)) {
        record_.product = *product;
    } else {
        op.message("Cannot determine instrument!", "Product Serial Number Error", Icon::Stop);
        if (const auto chosen = chooser_.chooseProduct(lastChoice_)) {
            if (*chosen != ProductCode::None) {
                lastChoice_ = *chosen;
                record_.product = *chosen;
            }
        } else {
            op.message("Instrument type Unknown!", "Instrument", Icon::Stop);
        }
    }
    record_.model = modelText(record_.product);
}

void Detector::readAddress() {
    Operator& op = layer_.op();
    layer_.pauseResponse();
    op.progressLine1("Reading Instrument Address...");
    op.progressLine2("ADR");
    if (const auto address = layer_.queryAddress())
        record_.address = *address;
    op.progressLine2(formatText("Address = %d", record_.address));
    layer_.pauseResponse();
    layer_.write("CAOP\r");
    layer_.pauseResponse();
    layer_.purgeReceive();
}

void Detector::readFirmware() {
    Operator& op = layer_.op();
    op.progressLine1("Get Instrument Firmware Version");
    op.progressLine2("VER");
    const auto firmware = layer_.queryValue("VER", "VER");
    if (!firmware)
        return;
    record_.firmware = *firmware;
    const FirmwareCapabilities caps = capabilitiesFor(record_.product, *firmware);
    record_.averaging = caps.averaging;
    record_.scaledMemory = caps.scaledMemory;
    if (caps.samplerOff) {
        op.progressLine1("Turning OFF Auto Sampler command");
        op.progressLine2("SMP=OFF");
        layer_.pauseResponse();
        layer_.write("SMP=OFF\r");
        layer_.pauseResponse();
        layer_.purgeReceive();
    }
}

bool Detector::CheckAddressMode() {
    WaitCursor wait(layer_.op());
    if (!probeAddresses())
        return false;
    // Silence counts as success here: only a plain refusal of open mode fails the check.
    return layer_.EnterOpenMode() != OpenResult::NotOpen;
}

bool Detector::probeAddresses() {
    Operator& op = layer_.op();
    ProgressBox box(op);
    box.line1("Checking Address...");
    layer_.purgeReceive();
    layer_.Purge();
    layer_.pauseResponse();

    for (int n = 0; n < kAddressProbes; ++n) {
        const std::string probe = formatText("#M%d", n);
        box.line2(probe);
        layer_.write(probe);
        layer_.pauseResponse();
        if (isProbeAnswer(layer_.readBytes(kProbeAnswerBytes, layer_.delays().responseMs))) {
            box.line2(formatText("Instrument found at #M%d", n));
            layer_.pauseResponse();
            return true;
        }
    }
    for (int n = 0; n < kAddressProbes; ++n) {
        const std::string probe = formatText("#K%d", n);
        box.line2(probe);
        layer_.write(probe);
        if (isProbeAnswer(layer_.readBytes(kProbeAnswerBytes, layer_.delays().responseMs))) {
            box.line2(formatText("Instrument found at #K%d", n));
            layer_.pauseResponse();
            box.line1("Clearing Address mode");
            box.line2("CAOP");
            if (!layer_.port().SendCommand("CAOP"))
                op.message("Error clearing address Mode!", "Bad Command", Icon::Stop);
            return true;
        }
    }
    return false;
}

} // namespace halcyx
