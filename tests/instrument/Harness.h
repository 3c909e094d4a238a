#pragma once

#include "core/instrument/CommandLayer.h"
#include "core/instrument/ConfigRecords.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/serial/Clock.h"
#include "core/serial/CommPort.h"
#include "tests/instrument/ScriptedInstrument.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"

#include <string>

namespace halcyx::test {

// The operator's question when no instrument answers.
inline constexpr const char* kNoResponseQuestion =
    "No Response from instrument!\nDo you want to check if the instrument is in Address Mode?";

// The configuration port on the virtual clock with a scripted stand-in behind it, for what no
// simulated instrument does: answers cut short, noise, odd wording, and a log of the program's
// reads with their limits and of its purges. It echoes and answers nothing until told.
struct Harness {
    explicit Harness(std::uint32_t baud = SimRig::kBaud) {
        setUpConfigPort(port, layer, baud);
        line.clearLog();
    }

    VirtualClock clock;
    ScriptedOperator op;
    ScriptedInstrument line{clock};
    CommPort port{line, clock, op, [](int) { return std::string("/dev/fake"); }};
    CommandLayer layer{port, op};
    InstrumentRecord record;
    InstrumentSettings settings;
    ScriptedChooser chooser;
};

// A harness whose stand-in is already in open mode and identified as the given model.
struct OpenHarness : Harness {
    explicit OpenHarness(ProductCode product, bool averaging = true) {
        layer.setMode(InstrumentMode::Open);
        record.product = product;
        record.averaging = averaging;
    }
};

// A simulated instrument of the model already in open mode and identified as that model.
struct OpenRig : SimRig {
    explicit OpenRig(ProductCode product, const AdjustConfig& adjust = {})
        : SimRig(product, adjust) {
        layer.setMode(InstrumentMode::Open);
        record.product = product;
        record.averaging = product != ProductCode::Vexa2;
    }
};

} // namespace halcyx::test
