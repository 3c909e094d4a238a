// Reading the instrument and navigation ports: number fall-backs, the baud-rate check and
// its message, and the device path behind each COM number.
#include "settings/PortSettings.h"

#include "ScriptedOperator.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>

using namespace halcyx;
using halcyx::test::ScriptedOperator;
using halcyx::test::TempFolder;
using halcyx::test::writeFile;

namespace {

constexpr const char* kBadBaud = "Bad Baudrate value in Halcyx.ini, default to 9600";
constexpr const char* kIniError = "INI FILE ERROR";

TEST(PortSettings, MissingFileOpensCom1At9600Quietly) {
    TempFolder folder;
    const Profile profile(folder / "Halcyx.ini");
    ScriptedOperator op;
    EXPECT_EQ(readPortNumber(profile, kInstrumentPort), 1);
    EXPECT_EQ(readBaudRate(profile, kInstrumentBaud, op), 9600u);
    EXPECT_EQ(devicePathForPort(profile, 1), "/dev/ttyS0");
}

TEST(PortSettings, PortNumbersOutside1To4FallBackToTheDefaultQuietly) {
    struct Case {
        const char* value;
        int instrument; // COMMPORT, default 1
        int nav;        // NAVCOMMPORT in profile acquisition, default 2
    };
    const Case cases[] = {{"3", 3, 3},  {"4", 4, 4},    {"7", 1, 2}, {"0", 1, 2},
                          {"-1", 1, 2}, {"COM2", 1, 2}, {"2x", 2, 2}};
    TempFolder folder;
    const Profile profile(folder / "Halcyx.ini");
    for (const Case& c : cases) {
        writeFile(profile.path(), std::string("[COMMPORT]\nPort=") + c.value +
                                      "\n[NAVCOMMPORT]\nPort=" + c.value + "\n");
        EXPECT_EQ(readPortNumber(profile, kInstrumentPort), c.instrument) << c.value;
        EXPECT_EQ(readPortNumber(profile, kNavPort), c.nav) << c.value;
    }
}

TEST(PortSettings, EveryOfferedRateIsAcceptedSilently) {
    TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    ScriptedOperator op;
    for (std::uint32_t rate : kBaudRates) {
        kNavBaud.write(profile, static_cast<int>(rate));
        EXPECT_EQ(readBaudRate(profile, kNavBaud, op), rate);
    }
}

TEST(PortSettings, UnknownRateWarnsAtEveryReadingAndLeavesTheFile) {
    TempFolder folder;
    const std::string contents = "[COMMPORT]\r\nBaudrate=9601\r\n";
    writeFile(folder / "Halcyx.ini", contents);
    const Profile profile(folder / "Halcyx.ini");
    ScriptedOperator op;
    op.expectMessage(kBadBaud, kIniError, Icon::Stop)
        .expectMessage(kBadBaud, kIniError, Icon::Stop);
    EXPECT_EQ(readBaudRate(profile, kInstrumentBaud, op), 9600u);
    EXPECT_EQ(readBaudRate(profile, kInstrumentBaud, op), 9600u);
    EXPECT_EQ(test::readFile(profile.path()), contents);
}

TEST(PortSettings, NonNumericRateReadsAsZeroAndWarns) {
    TempFolder folder;
    writeFile(folder / "Halcyx.ini", "[NAVCOMMPORT]\nBaudrate=fast\n");
    ScriptedOperator op;
    op.expectMessage(kBadBaud, kIniError, Icon::Stop);
    EXPECT_EQ(readBaudRate(Profile(folder / "Halcyx.ini"), kNavBaud, op), 9600u);
}

TEST(PortSettings, DevicePathsComeFromThePortsSectionAtEveryCall) {
    TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    const CommPort::PathForPort pathFor = portPathsFrom(profile);
    EXPECT_EQ(pathFor(4), "/dev/ttyS3");
    profile.writeString("PORTS", "COM2", "/dev/ttyUSB0");
    EXPECT_EQ(pathFor(2), "/dev/ttyUSB0");
    EXPECT_EQ(pathFor(1), "/dev/ttyS0");
    EXPECT_EQ(pathFor(0), "");
    EXPECT_EQ(pathFor(5), "");
}

} // namespace
