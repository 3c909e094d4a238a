#pragma once

#include "core/instrument/CommandDelays.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/Detection.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/ProductChooser.h"
#include "core/serial/Clock.h"
#include "core/serial/CommPort.h"
#include "sim/Instrument.h"
#include "sim/SimDevice.h"
#include "tests/instrument/FakeInstrument.h"
#include "tests/instrument/ScriptedInstrument.h"
#include "tests/support/ScriptedOperator.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace halcyx::test {

// The product dialog of a test: hands back scripted answers and counts its uses.
class ScriptedChooser : public ProductChooser {
public:
    std::optional<ProductCode> chooseProduct(ProductCode lastChoice) override {
        offered.push_back(lastChoice);
        return answer;
    }
    std::optional<ProductCode> answer; // nullopt: Cancel
    std::vector<ProductCode> offered;  // the preselection of each use
};

// The product dialog of a test whose instruments name their model by serial number.
class NoChooser : public ProductChooser {
public:
    std::optional<ProductCode> chooseProduct(ProductCode) override {
        ADD_FAILURE() << "the serial number names the model";
        return std::nullopt;
    }
};

// The operator's question when no instrument answers.
inline constexpr const char* kNoResponseQuestion =
    "No Response from instrument!\nDo you want to check if the instrument is in Address Mode?";

// Sets the port up as the configuration window does: COM1 at the given rate with the
// command pauses that go with it.
inline void setUpConfigPort(CommPort& port, CommandLayer& layer, std::uint32_t baud) {
    EXPECT_TRUE(port.Setup(1, 1024, 1024));
    port.SetBaud(baud);
    layer.setDelays(delaysAtOpen(baud));
    port.setDefaultPause(layer.delays().responseMs);
}

// One configuration port on the virtual clock with a stand-in instrument behind it,
// opened at the given baud rate with the pauses that go with it; the log starts empty.
struct Harness {
    explicit Harness(std::uint32_t baud = 9600) {
        setUpConfigPort(port, layer, baud);
        line.respond(std::ref(instrument));
        line.clearLog();
    }

    // Answers these lines from the table, every other line as the stand-in instrument.
    void answerFirst(std::map<std::string, std::string> table) {
        line.respond([this, table = std::move(table)](const std::string& received) {
            const auto it = table.find(received);
            return it != table.end() ? it->second : instrument(received);
        });
    }

    VirtualClock clock;
    ScriptedOperator op;
    ScriptedInstrument line{clock};
    FakeInstrument instrument;
    CommPort port{line, clock, op, [](int) { return std::string("/dev/fake"); }};
    CommandLayer layer{port, op};
    InstrumentRecord record;
    InstrumentSettings settings;
    ScriptedChooser chooser;
};

// A harness whose instrument is already in open mode and identified as the given model.
struct OpenHarness : Harness {
    explicit OpenHarness(ProductCode product, bool averaging = true) {
        layer.setMode(InstrumentMode::Open);
        record.product = product;
        record.averaging = averaging;
    }
};

// The configuration port with a simulated instrument behind it; the traffic starts empty.
struct SimHarness {
    explicit SimHarness(sim::Instrument& instrument, std::uint32_t baud = 9600)
        : device(clock, instrument) {
        setUpConfigPort(port, layer, baud);
        device.traffic().clear();
    }
    // What the instrument received, one burst per line.
    std::string received() { return device.traffic().text(sim::Direction::FromProgram); }

    VirtualClock clock;
    ScriptedOperator op;
    sim::SimDevice device;
    CommPort port{device, clock, op, {}};
    CommandLayer layer{port, op};
    InstrumentRecord record;
    InstrumentSettings settings;
    NoChooser chooser;
    Detector detector{layer, record, chooser};
};

} // namespace halcyx::test
