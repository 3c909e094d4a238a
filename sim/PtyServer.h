#pragma once

#include "sim/Faults.h"
#include "sim/LinePeer.h"
#include "sim/SerialLine.h"
#include "sim/TrafficLog.h"

#include <csignal>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace halcyx::sim {

// Serves simulated devices on pseudo-terminals in real time, so that the program (or any
// terminal) can open them like serial ports. The device's output is paced at its baud rate;
// a program that set its end of the line to another rate sees noise, and is heard as noise.
class PtyServer {
public:
    PtyServer();
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens a pseudo-terminal for peer and returns the path the program opens.
    // Throws std::runtime_error when the system refuses.
    std::string add(const std::string& name, LinePeer& peer, LineFaults faults = {});
    // The named device disappears after the given time [ns]: its pseudo-terminal is closed.
    void unplugAfter(const std::string& name, SimTime t);
    // Runs until stop becomes non-zero. With a log, writes every burst of traffic to it.
    void run(const volatile std::sig_atomic_t& stop, std::ostream* log);

private:
    struct Port;

    SimTime now() const;
    void serve(Port& port, SimTime t);
    void writeLog(std::ostream& log, std::int64_t nowMs, bool all);

    std::vector<std::unique_ptr<Port>> ports_;
    std::int64_t startNs_;
};

} // namespace halcyx::sim
