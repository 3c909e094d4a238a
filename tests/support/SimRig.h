#pragma once

#include "core/base/Product.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/ConfigRecords.h"
#include "core/instrument/Detection.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/ProductChooser.h"
#include "core/serial/Clock.h"
#include "core/serial/CommPort.h"
#include "sim/Instrument.h"
#include "sim/SimDevice.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimLine.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace halcyx::test {

// The product dialog of a test: hands back a scripted answer and records what it offered.
class ScriptedChooser : public ProductChooser {
public:
    std::optional<ProductCode> chooseProduct(ProductCode lastChoice) override {
        offered.push_back(lastChoice);
        return answer;
    }
    std::optional<ProductCode> answer; // nullopt: Cancel
    std::vector<ProductCode> offered;  // the preselection of each use
};

// Changes to an instrument's configuration before it is powered up.
using AdjustConfig = std::function<void(sim::Instrument::Config&)>;

// A simulated instrument of the model as it leaves the factory, changed by adjust.
std::unique_ptr<sim::Instrument> makeInstrument(ProductCode model, const AdjustConfig& adjust = {});

// Sets the port up as the configuration window does: COM1 at the given rate [bit/s] with
// the command pauses that go with it.
void setUpConfigPort(CommPort& port, CommandLayer& layer, std::uint32_t baud);

// What a rig's line is made of, made before the line that runs over it.
struct SimRigParts {
    explicit SimRigParts(std::unique_ptr<sim::LinePeer> attached) : peer(std::move(attached)) {}
    VirtualClock clock;
    std::unique_ptr<sim::LinePeer> peer;
    sim::SimDevice device{clock, *peer};
};

// The one test bench for talking to a simulated peer: the peer (an instrument of any model,
// a module, a GPS receiver) on the virtual clock behind an in-process port with its traffic
// log, the scripted operator, and the program's configuration port and command layer on it.
// Tests either drive the raw line (write, ask) as the serial layer does, or the program's
// objects (port, layer, detector). The traffic log starts empty.
class SimRig : public SimRigParts, public SimLine {
public:
    static constexpr std::uint32_t kBaud = 9600; // [bit/s]
    static constexpr int kSettleRounds = 5;      // event-loop passes in settle()

    explicit SimRig(ProductCode model = ProductCode::Vexa3, const AdjustConfig& adjust = {},
                    std::uint32_t portBaud = kBaud);
    explicit SimRig(std::unique_ptr<sim::LinePeer> peer, std::uint32_t portBaud = kBaud);
    SimRig(const SimRig&) = delete;
    SimRig& operator=(const SimRig&) = delete;

    // The peer as what it is (std::bad_cast when it is something else).
    template <class Peer> Peer& peerAs() { return dynamic_cast<Peer&>(*peer); }
    sim::Instrument& instrument() { return peerAs<sim::Instrument>(); }

    // What the peer received, one burst a line ("<ms> < <bytes>").
    std::string received() { return device.traffic().text(sim::Direction::FromProgram); }
    // A port for a program that makes its own (the GUI's device factory): every one it makes
    // is this rig's line, so the traffic log sees them all; the rig's own port closes.
    std::unique_ptr<SerialDevice> connect();
    // Lets the program catch up: passes of pumpEvents (the GUI's event loop, when set), then
    // brings the peer up to the clock.
    void settle();
    std::function<void()> pumpEvents;

    ScriptedOperator op;
    CommPort port{device, clock, op, [](int) { return std::string("/dev/sim"); }};
    CommandLayer layer{port, op};
    InstrumentRecord record;
    InstrumentSettings settings;
    ScriptedChooser chooser;
    Detector detector{layer, record, chooser};
};

// The lines of a text, each without its CR LF; an unfinished last line is left out.
std::vector<std::string> lines(const std::string& text);

} // namespace halcyx::test
