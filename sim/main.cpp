// halcyx-sim: simulated instruments on pseudo-terminals, for the demo, training and tests.

#include "sim/PtyServer.h"
#include "sim/SimOptions.h"

#include <csignal>
#include <ctime>
#include <exception>
#include <fstream>
#include <iostream>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

void handleStopSignals() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace halcyx::sim;
    SimOptions options;
    if (const auto error = parseOptions({argv + 1, argv + argc}, options)) {
        std::cerr << "halcyx-sim: " << *error << "\n\n" << usage();
        return 2;
    }
    if (options.help) {
        std::cout << usage();
        return 0;
    }
    try {
        const std::int64_t clockEpoch = std::time(nullptr);
        auto instrument = makeInstrument(options, clockEpoch);
        options.gpsConfig.clockEpoch = clockEpoch;
        GpsReceiver gps(options.gpsConfig);
        std::unique_ptr<ModuleModel> module;

        std::ofstream logFile;
        if (!options.logFile.empty()) {
            logFile.open(options.logFile, std::ios::out | std::ios::trunc);
            if (!logFile) {
                std::cerr << "halcyx-sim: cannot write " << options.logFile << "\n";
                return 1;
            }
        }
        handleStopSignals();
        PtyServer server;
        std::cout << "instrument: " << server.add("instrument", *instrument, options.lineFaults)
                  << "\n";
        server.unplugAfter("instrument", options.unplugAfter);
        if (options.gps) {
            std::cout << "gps: " << server.add("gps", gps) << "\n";
        }
        if (options.module) {
            module = std::make_unique<ModuleModel>(*options.module, options.moduleBaud);
            std::cout << "module: " << server.add("module", *module) << "\n";
        }
        std::cout.flush();
        server.run(stopRequested, logFile.is_open() ? &logFile : nullptr);
    } catch (const std::exception& e) {
        std::cerr << "halcyx-sim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
