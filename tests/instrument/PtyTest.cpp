// Detection in real time (about five seconds) over a pseudo-terminal served by the
// simulator program, through the termios port the program itself uses.
#include "core/instrument/Detection.h"
#include "core/serial/PosixSerialDevice.h"
#include "tests/instrument/Harness.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

TEST(Pty, AVexa3IsDetectedOverARealSerialLine) {
    SimProcess sim(HALCYX_SIM_PROGRAM, {"--model", "vexa3"});
    const std::string announced = sim.line();
    const std::string prefix = "instrument: ";
    ASSERT_EQ(announced.rfind(prefix, 0), 0u) << announced;
    const std::string path = announced.substr(prefix.size());

    SteadyClock clock;
    ScriptedOperator op;
    PosixSerialDevice device;
    CommPort port(device, clock, op, [path](int) { return path; });
    CommandLayer layer(port, op);
    setUpConfigPort(port, layer, 9600);
    ASSERT_TRUE(port.isOpen());
    InstrumentRecord record;
    ScriptedChooser chooser;
    Detector detector(layer, record, chooser);

    ASSERT_TRUE(detector.Detect());
    EXPECT_EQ(record.product, ProductCode::Vexa3);
    EXPECT_EQ(record.serialNumber, "1634M");
    EXPECT_TRUE(record.averaging);
}

} // namespace
} // namespace halcyx::test
