#pragma once

#include "core/base/Product.h"
#include "sim/Faults.h"
#include "sim/GpsReceiver.h"
#include "sim/Instrument.h"
#include "sim/ModuleModel.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace halcyx::sim {

// What halcyx-sim serves, as chosen on its command line.
struct SimOptions {
    std::string model = "vexa3"; // vexa2, vexa3, ct or p
    std::optional<std::string> serialNumber, firmware, calibrationDate;
    std::optional<int> address;
    std::uint32_t baud = 9600; // [bit/s]
    int preloadScans = 0;
    InstrumentFaults faults;
    LineFaults lineFaults;
    SimTime unplugAfter = kNever; // [ns]

    bool gps = false;
    GpsReceiver::Config gpsConfig;
    std::optional<ModuleModel::Kind> module;
    std::uint32_t moduleBaud = 9600; // [bit/s]

    std::string logFile;
    bool help = false;
};

// Reads the arguments (without the program name). Returns an error text for bad ones.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, SimOptions& out);
std::string usage();
// The instrument the options describe; clockEpoch is its clock at start [s since 1970].
std::unique_ptr<Instrument> makeInstrument(const SimOptions& options, std::int64_t clockEpoch);
// The model as it leaves the factory, and an instrument of the model with that configuration.
Instrument::Config factoryConfig(ProductCode product);
std::unique_ptr<Instrument> makeInstrument(ProductCode product, const Instrument::Config& config);

} // namespace halcyx::sim
