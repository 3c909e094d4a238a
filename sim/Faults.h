#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace halcyx::sim {

// Faults of the line between the program's port and the far end. Counts apply to the bytes
// travelling towards the program; 0 switches a fault off.
struct LineFaults {
    unsigned dropEveryNth = 0;    // every n-th byte is lost
    unsigned corruptEveryNth = 0; // every n-th byte arrives with its bits flipped
    bool noise = false;           // every byte arrives garbled, as at a wrong baud rate
};

// Calls on the port that the system refuses, each with the error code (an errno) it gives
// while set. A refused close still releases the port, as the system releases a descriptor
// whatever close() reports. Writes go through okWrites more calls before a set write fault.
struct PortFaults {
    std::optional<int> open, setLine, flowControl, read, write, close;
    std::size_t okWrites = 0;
};

// Misbehaviour of an instrument, each switchable on its own.
struct InstrumentFaults {
    bool silent = false;             // neither echoes nor answers anything
    bool streamingAtPowerUp = false; // starts in run mode sending scans
    bool addressMode = false;        // answers only after its "#Mn"/"#Kn" address
    std::set<std::string> refused;   // commands (or keys before "=") answered "BAD COMMAND"
    long dumpStopsAfterBytes = -1;   // a memory dump goes quiet after this many bytes
};

} // namespace halcyx::sim
