#include "sim/SimOptions.h"

#include "sim/TavrinModel.h"
#include "sim/VexaModel.h"

#include <algorithm>
#include <charconv>

namespace halcyx::sim {

namespace {

struct ModelName {
    std::string_view name;
    ProductCode product;
};
constexpr ModelName kModels[] = {{"vexa2", ProductCode::Vexa2},
                                 {"vexa3", ProductCode::Vexa3},
                                 {"ct", ProductCode::TavrinCT},
                                 {"p", ProductCode::TavrinP}};

// The model of a name, None for a name that is none of them.
ProductCode productNamed(const std::string& name) {
    const auto found = std::find_if(std::begin(kModels), std::end(kModels),
                                    [&name](const ModelName& m) { return m.name == name; });
    return found == std::end(kModels) ? ProductCode::None : found->product;
}

bool isModel(const std::string& name) {
    return productNamed(name) != ProductCode::None;
}

template <typename Number> bool parseNumber(const std::string& text, Number& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

std::optional<std::string> parseFault(const std::string& fault, SimOptions& out) {
    const std::size_t eq = fault.find('=');
    const std::string name = fault.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : fault.substr(eq + 1);
    long number = 0;
    const bool numeric = parseNumber(value, number) && number >= 0;
    if (name == "silent") {
        out.faults.silent = true;
    } else if (name == "streaming") {
        out.faults.streamingAtPowerUp = true;
    } else if (name == "address") {
        out.faults.addressMode = true;
    } else if (name == "noise") {
        out.lineFaults.noise = true;
    } else if (name == "bad" && !value.empty()) {
        out.faults.refused.insert(value);
    } else if (name == "drop" && numeric && number > 0) {
        out.lineFaults.dropEveryNth = static_cast<unsigned>(number);
    } else if (name == "corrupt" && numeric && number > 0) {
        out.lineFaults.corruptEveryNth = static_cast<unsigned>(number);
    } else if (name == "dump-stop" && numeric) {
        out.faults.dumpStopsAfterBytes = number;
    } else if (name == "gps-quiet" && numeric) {
        out.gpsConfig.quietAfter = number * kNanosPerSecond;
    } else if (name == "unplug" && numeric) {
        out.unplugAfter = number * kNanosPerSecond;
    } else {
        return "unknown fault: " + fault;
    }
    return std::nullopt;
}

} // namespace

std::string usage() {
    return R"(Usage: halcyx-sim [options]
Serves a simulated CTD instrument (and optionally a GPS receiver and a sensor module) on
pseudo-terminals, and prints their paths, one per line:
  instrument: /dev/pts/N
  gps: /dev/pts/M
  module: /dev/pts/K
It runs until interrupted (Ctrl-C) or terminated.

Instrument:
  --model vexa2|vexa3|ct|p   the model (default vexa3)
  --serial TEXT              serial number (vexa2 1234M, vexa3 1634M, ct F0123, p Q0456)
  --firmware TEXT            firmware version, e.g. 1.90, 2.10, 2I10 (default per model)
  --caldate TEXT             calibration date
  --address N                address 0..7 for address mode (default 1)
  --baud N                   the instrument's baud rate (default 9600)
  --preload N                fill the logging memory with N scans

Other devices:
  --gps                      also serve a GPS receiver (9600 baud)
  --gps-baud N               its baud rate
  --module cond|temp|pres    also serve a sensor module
  --module-baud N            its baud rate (default 9600)

Faults (repeat --fault for several):
  --fault silent             the instrument answers nothing
  --fault streaming          it sends scans from power-up
  --fault address            it is in address mode
  --fault bad=CMD            it answers BAD COMMAND to CMD (e.g. bad=CH3 or bad=CH3=ON)
  --fault drop=N             every N-th byte to the program is lost
  --fault corrupt=N          every N-th byte to the program is corrupted
  --fault noise              every byte to the program is noise
  --fault dump-stop=BYTES    the memory dump stops after BYTES bytes
  --fault gps-quiet=S        the GPS receiver stops sending after S seconds
  --fault unplug=S           the instrument disappears after S seconds

  --log FILE                 write the traffic: one line per burst, time [ms], '<' from
                             the program or '>' to it, and the bytes (\r, \n, \xHH)
  --help                     this text
)";
}

std::optional<std::string> parseOptions(const std::vector<std::string>& args, SimOptions& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            out.help = true;
            continue;
        }
        if (arg == "--gps") {
            out.gps = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            return "unknown option or missing value: " + arg;
        }
        const std::string& value = args[++i];
        int number = 0;
        const bool numeric = parseNumber(value, number) && number >= 0;
        if (arg == "--model" && isModel(value)) {
            out.model = value;
        } else if (arg == "--serial") {
            out.serialNumber = value;
        } else if (arg == "--firmware") {
            out.firmware = value;
        } else if (arg == "--caldate") {
            out.calibrationDate = value;
        } else if (arg == "--address" && numeric && number <= 7) {
            out.address = number;
        } else if (arg == "--baud" && numeric && number > 0) {
            out.baud = static_cast<std::uint32_t>(number);
        } else if (arg == "--preload" && numeric) {
            out.preloadScans = number;
        } else if (arg == "--gps-baud" && numeric && number > 0) {
            out.gps = true;
            out.gpsConfig.baud = static_cast<std::uint32_t>(number);
        } else if (arg == "--module" && (value == "cond" || value == "temp" || value == "pres")) {
            out.module = value == "cond"   ? ModuleModel::Kind::Conductivity
                         : value == "temp" ? ModuleModel::Kind::Temperature
                                           : ModuleModel::Kind::Pressure;
        } else if (arg == "--module-baud" && numeric && number > 0) {
            out.moduleBaud = static_cast<std::uint32_t>(number);
        } else if (arg == "--log") {
            out.logFile = value;
        } else if (arg == "--fault") {
            if (auto error = parseFault(value, out)) {
                return error;
            }
        } else {
            return "bad option: " + arg + " " + value;
        }
    }
    return std::nullopt;
}

Instrument::Config factoryConfig(ProductCode product) {
    return isVexa(product) ? VexaModel::factoryConfig(product)
                           : TavrinModel::factoryConfig(product);
}

std::unique_ptr<Instrument> makeInstrument(ProductCode product, const Instrument::Config& config) {
    if (isVexa(product)) {
        return std::make_unique<VexaModel>(product, config);
    }
    return std::make_unique<TavrinModel>(product, config);
}

std::unique_ptr<Instrument> makeInstrument(const SimOptions& options, std::int64_t clockEpoch) {
    const ProductCode product = productNamed(options.model);
    Instrument::Config config = factoryConfig(product);
    Identity& identity = config.identity;
    identity.serialNumber = options.serialNumber.value_or(identity.serialNumber);
    identity.firmware = options.firmware.value_or(identity.firmware);
    identity.calibrationDate = options.calibrationDate.value_or(identity.calibrationDate);
    identity.address = options.address.value_or(identity.address);
    config.baud = options.baud;
    config.clockEpoch = clockEpoch;
    config.faults = options.faults;

    std::unique_ptr<Instrument> instrument = makeInstrument(product, config);
    instrument->preloadMemory(options.preloadScans);
    return instrument;
}

} // namespace halcyx::sim
