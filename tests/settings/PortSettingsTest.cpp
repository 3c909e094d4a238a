// Reading the instrument and navigation ports: number fall-backs, the baud-rate check and
// its message, and the device path behind each COM number.
#include "core/settings/PortSettings.h"

#include "tests/support/ScriptedOperator.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>

using namespace halcyx;
using namespace std::string_literals;

namespace {

// A settings file in a fresh folder.
class PortSettings : public testing::Test {
protected:
    test::TempFolder folder;
    Profile profile{folder / "Halcyx.ini"};
    test::ScriptedOperator op;
};

TEST_F(PortSettings, PortNumbersOutside1To4FallBackToTheDefaultQuietly) {
    const struct {
        const char* value;
        int instrument; // COMMPORT, default 1
        int nav;        // NAVCOMMPORT in profile acquisition, default 2
    } cases[] = {{nullptr, 1, 2}, {"3", 3, 3},  {"4", 4, 4},    {"7", 1, 2},
                 {"0", 1, 2},     {"-1", 1, 2}, {"COM2", 1, 2}, {"2x", 2, 2}};
    for (const auto& c : cases) {
        if (c.value)
            test::writeFile(profile.path(), "[COMMPORT]\nPort="s + c.value +
                                                "\n[NAVCOMMPORT]\nPort=" + c.value + "\n");
        EXPECT_EQ(readPortNumber(profile, kInstrumentPort), c.instrument) << c.value;
        EXPECT_EQ(readPortNumber(profile, kNavPort), c.nav) << c.value;
    }
}

TEST_F(PortSettings, OfferedRatesReadSilentlyAndOthersWarnAtEveryReadingLeavingTheFile) {
    EXPECT_EQ(readBaudRate(profile, kInstrumentBaud, op), 9600u) << "no file";
    for (std::uint32_t rate : kBaudRates) {
        kNavBaud.write(profile, static_cast<int>(rate));
        EXPECT_EQ(readBaudRate(profile, kNavBaud, op), rate);
    }
    const char* bad = "Bad Baudrate value in Halcyx.ini, default to 9600";
    for (const char* value : {"9601", "fast", ""}) {
        const std::string contents = "[COMMPORT]\r\nBaudrate="s + value + "\r\n";
        test::writeFile(profile.path(), contents);
        op.expectMessage(bad, "INI FILE ERROR", Icon::Stop)
            .expectMessage(bad, "INI FILE ERROR", Icon::Stop);
        EXPECT_EQ(readBaudRate(profile, kInstrumentBaud, op), 9600u) << value;
        EXPECT_EQ(readBaudRate(profile, kInstrumentBaud, op), 9600u) << value;
        EXPECT_EQ(test::readFile(profile.path()), contents);
    }
}

TEST_F(PortSettings, DevicePathsComeFromThePortsSectionAtEveryCall) {
    const CommPort::PathForPort pathFor = portPathsFrom(profile);
    EXPECT_EQ(pathFor(4), "/dev/ttyS3");
    profile.writeString("PORTS", "COM2", "/dev/ttyUSB0");
    EXPECT_EQ(pathFor(2), "/dev/ttyUSB0");
    EXPECT_EQ(pathFor(1), "/dev/ttyS0");
    EXPECT_EQ(pathFor(0) + pathFor(5), "");
}

} // namespace
