// The settings catalogue: defaults on an empty file, the texts the writers store, the
// length limits of text keys and the numbered pressure-graph sections.
#include "core/settings/Catalogue.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>

using namespace halcyx;

namespace {

TEST(Catalogue, ReadsDefaultsAndStoresDecimalTextWithinTheLimits) {
    test::TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    EXPECT_EQ(kXAxes[3].label.read(profile), "Fast Temp");
    kCheckInt.write(profile, 1);
    kInstrumentBaud.write(profile, 19200);
    EXPECT_EQ(test::readFile(profile.path()),
              "[SETTINGS]\r\nCheckInt=1\r\n\r\n[COMMPORT]\r\nBaudrate=19200\r\n");
    EXPECT_EQ(kCheckInt.read(profile), 1) << "nothing is cached: the next read sees the write";
    kHelpFile.write(profile, std::string(300, 'x'));
    kAutoZoomRate.write(profile, "123456");
    EXPECT_EQ(kHelpFile.read(profile), std::string(254, 'x'));
    EXPECT_EQ(kAutoZoomRate.read(profile), "12345");
}

TEST(Catalogue, PressureGraphsKeepTheirOwnSections) {
    test::TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    pressure_graph::kLowPres.write(profile, pressureGraphSection(3), "12.5");
    EXPECT_EQ(test::readFile(profile.path()), "[PGRAPH3]\r\nLowPres=12.5\r\n");
    for (int graph = 1; graph <= kPressureGraphCount; ++graph)
        EXPECT_EQ(pressure_graph::kLowPres.read(profile, pressureGraphSection(graph)),
                  graph == 3 ? "12.5" : "0.0");
}

} // namespace
