#include "tests/support/SimRig.h"

#include "core/instrument/CommandDelays.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

namespace halcyx::test {

namespace {

// Hands the program a port that is the rig's own line; closing it closes the line.
class RigPort : public SerialDevice {
public:
    explicit RigPort(SerialDevice& line) : line_(line) {}
    bool open(const std::string& path) override { return line_.open(path); }
    bool setLine(std::uint32_t baud) override { return line_.setLine(baud); }
    long read(std::span<std::uint8_t> buf) override { return line_.read(buf); }
    long write(std::span<const std::uint8_t> data) override { return line_.write(data); }
    bool purge(PurgeWhat what) override { return line_.purge(what); }
    bool close() override { return line_.close(); }
    bool isOpen() const override { return line_.isOpen(); }
    int lastError() const override { return line_.lastError(); }
    std::string lastErrorText() const override { return line_.lastErrorText(); }

private:
    SerialDevice& line_;
};

} // namespace

std::unique_ptr<sim::Instrument> makeInstrument(ProductCode model, const AdjustConfig& adjust) {
    if (model == ProductCode::None) {
        ADD_FAILURE() << "no simulated model for product code " << static_cast<int>(model);
        model = ProductCode::Vexa3;
    }
    sim::Instrument::Config config = sim::factoryConfig(model);
    if (adjust)
        adjust(config);
    return sim::makeInstrument(model, config);
}

void setUpConfigPort(CommPort& port, CommandLayer& layer, std::uint32_t baud) {
    constexpr std::uint16_t kQueueFigure = 1024; // the window's receive and transmit figures
    EXPECT_TRUE(port.Setup(1, kQueueFigure, kQueueFigure));
    port.SetBaud(baud);
    layer.setDelays(delaysAtOpen(baud));
    port.setDefaultPause(layer.delays().responseMs);
}

SimRig::SimRig(ProductCode model, const AdjustConfig& adjust, std::uint32_t portBaud)
    : SimRig(makeInstrument(model, adjust), portBaud) {}

SimRig::SimRig(std::unique_ptr<sim::LinePeer> attached, std::uint32_t portBaud)
    : SimRigParts(std::move(attached)), SimLine(clock, device) {
    setUpConfigPort(port, layer, portBaud);
    device.traffic().clear();
}

std::unique_ptr<SerialDevice> SimRig::connect() {
    // The program takes the line over from the rig's own port.
    port.Close();
    return std::make_unique<RigPort>(device);
}

void SimRig::settle() {
    for (int round = 0; pumpEvents && round < kSettleRounds; ++round)
        pumpEvents();
    device.advance();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}

} // namespace halcyx::test
