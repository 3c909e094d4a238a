#pragma once

#include "tests/support/ScriptedPeer.h"
#include "tests/support/SimRig.h"

#include <memory>
#include <string>
#include <vector>

namespace halcyx::test {

// The operator's question when no instrument answers.
inline constexpr const char* kNoResponseQuestion =
    "No Response from instrument!\nDo you want to check if the instrument is in Address Mode?";

// The operator's question before a deployed instrument is disturbed.
inline constexpr const char* kDeployedQuestion =
    "The Instrument is currently deployed!\nStop deployment?";

// The configuration port on the virtual clock with the scripted stand-in behind it.
struct Harness : SimRig {
    explicit Harness(std::uint32_t baud = kBaud)
        : SimRig(std::make_unique<ScriptedPeer>(baud), baud), line(peerAs<ScriptedPeer>()) {}
    // Both directions, one burst a line ("<ms> < <bytes>" from the program, ">" to it).
    std::string log() { return device.traffic().text(); }
    // Every line the stand-in received, once the last bytes have crossed the line.
    const std::vector<std::string>& lines() {
        device.advance();
        return line.lines();
    }

    ScriptedPeer& line;
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
