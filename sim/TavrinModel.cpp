#include "sim/TavrinModel.h"

#include "sim/MemoryDump.h"
#include "sim/Ocean.h"
#include "sim/ScanText.h"

#include <cstdlib>
#include <utility>

namespace halcyx::sim {

namespace {

constexpr SimTime kZeroMemoryTime = 25 * kNanosPerSecond;
// Averaging came with these firmware versions (the number after the leading letter).
constexpr float kCtAveragingFirmware = 1.5f;
constexpr float kPAveragingFirmware = 1.3f;

} // namespace

TavrinModel::TavrinModel(ProductCode product, Config config)
    : Instrument(std::move(config)), product_(product) {}

Instrument::Config TavrinModel::factoryConfig(ProductCode product) {
    Config config;
    if (product == ProductCode::TavrinCT) {
        config.identity = {"F0123", "V1.70", "05MAR25", 1};
        config.settings.channels = {true, true, false};
    } else {
        config.identity = {"Q0456", "V1.40", "05MAR25", 1};
        config.settings.channels = {true, true, true};
    }
    return config;
}

std::string TavrinModel::modelName() const {
    return std::string(modelText(product_));
}

bool TavrinModel::hasAveraging() const {
    const std::string& firmware = identity().firmware;
    const float version = firmware.size() > 1 ? std::strtof(firmware.c_str() + 1, nullptr) : 0.0f;
    return version >
           (product_ == ProductCode::TavrinCT ? kCtAveragingFirmware : kPAveragingFirmware);
}

Sample TavrinModel::sampleAt(SimTime t) const {
    const double seconds = static_cast<double>(t) / kNanosPerSecond;
    const double mooring = product_ == ProductCode::TavrinCT ? kCtMooringDbar : kPMooringDbar;
    Sample s = Ocean::water(Ocean::mooredPressure(seconds, mooring));
    s.barometer = Ocean::barometer(seconds);
    s.clockS = clockSeconds(t);
    return s;
}

std::string TavrinModel::scanLine(const Sample& s) const {
    using scan_text::number;
    const auto& on = settings().channels;
    std::vector<std::string> fields;
    if (product_ == ProductCode::TavrinCT) {
        fields = {number("%8.4f", s.conductivity), number("%8.4f", s.temperature)};
        if (on[2]) {
            fields.push_back(scan_text::clockAndDate(s.clockS));
        }
    } else {
        fields = {number("%8.3f", s.pressure)};
        if (on[1]) {
            fields.push_back(scan_text::clockAndDate(s.clockS));
        }
        if (on[2]) {
            fields.push_back(number("%8.2f", s.barometer));
        }
    }
    return scan_text::join(fields);
}

std::string TavrinModel::memoryRecord(const Sample& s) const {
    const auto& on = settings().channels;
    return product_ == ProductCode::TavrinCT ? memory_dump::tavrinCtRecord(s, on[2])
                                             : memory_dump::tavrinPRecord(s, on[1], on[2]);
}

// "CH1=ON CH2=ON CH3=OFF <bytes per scan> BYTES/SCAN"
std::string TavrinModel::memoryLayoutText() const {
    const auto& on = settings().channels;
    std::string text;
    for (std::size_t n = 0; n < 3; ++n) {
        text += "CH" + std::to_string(n + 1) + (on[n] ? "=ON " : "=OFF ");
    }
    return text + std::to_string(bytesPerScan()) + " BYTES/SCAN";
}

SimTime TavrinModel::zeroMemoryDuration() const {
    return kZeroMemoryTime;
}

bool TavrinModel::modelCommand(const std::string& line, SimTime t) {
    if (mode() == Mode::Open && line == "RLPTR") {
        // The read pointer goes back to the first logged scan.
        memory().resetReadPointer();
        reply(t, "\r\nLogged Pointer Reset\r\n");
        return true;
    }
    return false;
}

} // namespace halcyx::sim
