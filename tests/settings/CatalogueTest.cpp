// The settings catalogue: defaults on an empty file, the texts the writers store, the
// length limits of text keys and the numbered pressure-graph sections.
#include "settings/Catalogue.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <string>

using namespace halcyx;
using halcyx::test::readFile;
using halcyx::test::TempFolder;
using halcyx::test::writeFile;

namespace {

TEST(Catalogue, DefaultsOfAFreshInstallation) {
    TempFolder folder;
    const Profile profile(folder / "Halcyx.ini");
    EXPECT_EQ(kHelpFile.read(profile), "C:\\Halcyx");
    EXPECT_EQ(kCheckInt.read(profile), 0);
    EXPECT_EQ(kInstrumentPort.read(profile), 1);
    EXPECT_EQ(kInstrumentBaud.read(profile), 9600);
    EXPECT_EQ(kNavPcTime.read(profile), 1);
    EXPECT_EQ(kNavPort.read(profile), 2);
    EXPECT_EQ(kNavPortModule.read(profile), 1);
    EXPECT_EQ(kGraphTitle.read(profile), "CTD Data");
    EXPECT_EQ(kYMax.read(profile), "10000");
    EXPECT_EQ(kXAxes[2].max.read(profile), "7000");
    EXPECT_EQ(kXAxes[3].label.read(profile), "Fast Temp");
    EXPECT_EQ(kXAxes[3].param.read(profile), 4);
    EXPECT_EQ(kAutoZoomRate.read(profile), "100");
    EXPECT_EQ(pressure_graph::kHighThres.read(profile, pressureGraphSection(4)), "300.0");
    EXPECT_EQ(kModGraphHigh.read(profile), "300.0");
}

TEST(Catalogue, WritersStoreDecimalTextUnderTheCatalogueNames) {
    TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    kCheckInt.write(profile, 1);
    kInstrumentBaud.write(profile, 19200);
    kHelpFile.write(profile, "/usr/share/halcyx/help");
    EXPECT_EQ(readFile(folder / "Halcyx.ini"), "[SETTINGS]\r\nCheckInt=1\r\n"
                                               "HelpFile=/usr/share/halcyx/help\r\n\r\n"
                                               "[COMMPORT]\r\nBaudrate=19200\r\n");
    EXPECT_EQ(kCheckInt.read(profile), 1) << "nothing is cached: the next read sees the write";
}

TEST(Catalogue, TextKeysAreCutToTheirLength) {
    const struct {
        TextSetting setting;
        std::size_t maxChars;
    } cases[] = {{kHelpFile, 254},      {kGraphTitle, 59},  {kYLabel, 29},
                 {kXAxes[1].label, 29}, {kAutoZoomRate, 5}, {kModGraphLow, 9}};
    TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    for (const auto& c : cases) {
        c.setting.write(profile, std::string(300, 'x'));
        EXPECT_EQ(c.setting.read(profile), std::string(c.maxChars, 'x')) << c.setting.key.name;
    }
}

TEST(Catalogue, PressureGraphsKeepTheirOwnSections) {
    EXPECT_EQ(pressureGraphSection(1), "PGRAPH1");
    EXPECT_EQ(pressureGraphSection(kPressureGraphCount), "PGRAPH4");
    TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    pressure_graph::kWidth.write(profile, pressureGraphSection(3), 2);
    pressure_graph::kLowPres.write(profile, pressureGraphSection(3), "12.5");
    for (int graph = 1; graph <= kPressureGraphCount; ++graph) {
        const std::string section = pressureGraphSection(graph);
        EXPECT_EQ(pressure_graph::kWidth.read(profile, section), graph == 3 ? 2 : 0);
        EXPECT_EQ(pressure_graph::kLowPres.read(profile, section), graph == 3 ? "12.5" : "0.0");
    }
}

} // namespace
