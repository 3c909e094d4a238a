#include "sim/VexaModel.h"

#include "sim/MemoryDump.h"
#include "sim/Ocean.h"
#include "sim/ScanText.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace halcyx::sim {

namespace {

constexpr SimTime kZeroMemoryTime = 20 * kNanosPerSecond;
constexpr float kScaledMemoryFirmware = 1.9f; // newer firmware keeps scaled values
// Every field is ten characters wide (the time field is wider), so that even a line of a
// single channel is long enough to be taken for a scan.
constexpr const char* kCountsFormat = "%10.0f";

} // namespace

VexaModel::VexaModel(ProductCode product, Config config)
    : Instrument(std::move(config)), product_(product) {}

Instrument::Config VexaModel::factoryConfig(ProductCode product) {
    Config config;
    config.identity = product == ProductCode::Vexa3 ? Identity{"1634M", "2.10", "14JUN26", 1}
                                                    : Identity{"1234M", "1.50", "10OCT97", 1};
    config.settings.channels = {true, true, true, false, true, true};
    return config;
}

std::string VexaModel::modelName() const {
    return std::string(modelText(product_));
}

bool VexaModel::scaledMemory() const {
    const std::string& firmware = identity().firmware;
    const bool interimBuild = firmware.size() > 1 && firmware[1] == 'I';
    return product_ == ProductCode::Vexa3 &&
           std::strtof(firmware.c_str(), nullptr) > kScaledMemoryFirmware && !interimBuild;
}

SimTime VexaModel::sampleInterval() const {
    const int tau = std::clamp(settings().tau, 0, kSamplingRateCount - 1);
    return static_cast<SimTime>(kNanosPerSecond /
                                kVexaSamplingRates[static_cast<std::size_t>(tau)]);
}

Sample VexaModel::sampleAt(SimTime t) const {
    const double seconds = static_cast<double>(t) / kNanosPerSecond;
    Sample s = Ocean::water(Ocean::castPressure(seconds));
    s.clockS = clockSeconds(t);
    return s;
}

// Fields in channel order; with scaled output the measured values go out as the same
// 16-bit counts the scaled memory keeps.
std::string VexaModel::scanLine(const Sample& s) const {
    using scan_text::number;
    namespace md = memory_dump;
    const InstrumentSettings& on = settings();
    const bool scaled = on.scaledOutput;
    const int divisor = md::pressureDivisor(transducerRange);
    const auto value = [scaled](double v, std::uint16_t counts, const char* format) {
        return scaled ? number(kCountsFormat, counts) : number(format, v);
    };
    std::vector<std::string> fields;
    if (on.channels[0]) {
        fields.push_back(value(s.conductivity, md::scaledConductivity(s.conductivity), "%10.4f"));
    }
    if (on.channels[1]) {
        fields.push_back(value(s.temperature, md::scaledTemperature(s.temperature), "%10.4f"));
    }
    if (on.channels[2]) {
        fields.push_back(value(s.pressure, md::scaledPressure(s.pressure, divisor), "%10.3f"));
    }
    if (on.channels[3]) {
        fields.push_back(scan_text::clockAndDate(s.clockS));
    }
    if (on.channels[4]) {
        fields.push_back(value(s.salinity, md::scaledSalinity(s.salinity), "%10.4f"));
    }
    if (on.channels[5]) {
        fields.push_back(
            value(s.soundVelocity, md::scaledSoundVelocity(s.soundVelocity), "%10.3f"));
    }
    for (int k = 0; k < dcChannelCount(); ++k) {
        if (on.dcChannels[static_cast<std::size_t>(k)]) {
            fields.push_back(number(kCountsFormat, s.dc[static_cast<std::size_t>(k)]));
        }
    }
    return scan_text::join(fields);
}

std::string VexaModel::memoryRecord(const Sample& s) const {
    const InstrumentSettings& on = settings();
    memory_dump::VexaChannels channels{on.channels, {}};
    for (int k = 0; k < dcChannelCount(); ++k) {
        channels.dc[static_cast<std::size_t>(k)] = on.dcChannels[static_cast<std::size_t>(k)];
    }
    return scaledMemory() ? memory_dump::vexaScaledRecord(
                                s, channels, memory_dump::pressureDivisor(transducerRange))
                          : memory_dump::vexaFloatRecord(s, channels);
}

// "CH1=ON,...,DC8=OFF,<bytes per scan> BYTES/SCAN"
std::string VexaModel::memoryLayoutText() const {
    const InstrumentSettings& on = settings();
    std::string text;
    for (std::size_t n = 0; n < on.channels.size(); ++n) {
        text += "CH" + std::to_string(n + 1) + (on.channels[n] ? "=ON," : "=OFF,");
    }
    for (int k = 0; k < dcChannelCount(); ++k) {
        text += "DC" + std::to_string(k + 1) +
                (on.dcChannels[static_cast<std::size_t>(k)] ? "=ON," : "=OFF,");
    }
    return text + std::to_string(bytesPerScan()) + " BYTES/SCAN";
}

SimTime VexaModel::zeroMemoryDuration() const {
    return kZeroMemoryTime;
}

bool VexaModel::modelCommand(const std::string& line, SimTime t) {
    // The sampler answers in either mode: the program stops the scans and asks it mid-cast.
    if (line == "RHPS") {
        reply(t, "\r\n" + sampler_.home() + "\r\n");
        return true;
    }
    if (line == "FIRE") {
        reply(t, "\r\n" + sampler_.fire() + "\r\n");
        return true;
    }
    if (mode() != Mode::Open) {
        return false;
    }
    if (line == "RT") {
        reply(t, " TAU = " + std::to_string(settings().tau) + "\r\n");
    } else if (line.starts_with("ST=")) {
        const std::string value = line.substr(3);
        if (value.size() != 1 || value[0] < '0' || value[0] > '4') {
            refuse(t);
            return true;
        }
        settings().tau = value[0] - '0';
        reply(t, "\r\nTAU = " + value + "\r\n");
    } else if ((line == "SMP=OFF" || line == "SMP=ON") && product_ == ProductCode::Vexa3) {
        reply(t, "\r\n" + line + "\r\n");
    } else if (line == "A1003") {
        reply(t, " = " + std::to_string(transducerRange) + "\r\n");
    } else if (line == "RLPTR") {
        // Logging starts again at the beginning of the memory.
        memory().zero();
        reply(t, "\r\nLogged Pointer Reset to Hardware start\r\n");
    } else if (line == "RHPTR") {
        memory().resetReadPointer();
        reply(t, "\r\nHardware Pointer Reset\r\n");
    } else {
        return false;
    }
    return true;
}

} // namespace halcyx::sim
