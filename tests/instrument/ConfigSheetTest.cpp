// The lines of the printed configuration sheets: which settings they show and how.
#include "core/instrument/ConfigSheet.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

std::vector<std::string> texts(const std::vector<SheetLine>& lines) {
    std::vector<std::string> out;
    for (const SheetLine& line : lines)
        if (!line.text.empty())
            out.push_back(line.text);
    return out;
}

// The texts from the first line equal to `from`, `count` of them.
std::vector<std::string> run(const std::vector<std::string>& all, const std::string& from,
                             std::size_t count) {
    const auto start = std::find(all.begin(), all.end(), from);
    if (start == all.end() || static_cast<std::size_t>(all.end() - start) < count)
        return {"<" + from + " not found>"};
    return {start, start + static_cast<std::ptrdiff_t>(count)};
}

InstrumentRecord identified(ProductCode product) {
    InstrumentRecord record;
    record.product = product;
    record.serialNumber = "2317";
    record.calDate = "03-14-2026";
    record.settingsRead = true;
    return record;
}

TEST(ConfigSheet, VexaShowsChannelsDcDetailsAndSettings) {
    VexaConfigData data;
    data.channel = {1, 1, 1, 0, 1, 0};
    data.dcChannel = {1, 0, 0, 0, 0, 0, 1, 0};
    data.instrumentTime = "12:30:00";
    data.instrumentDate = "12-06-2026";
    data.samplingRate = {0, 0, 1, 1, 0}; // the first checked rate counts
    data.continuousOutput = 1;
    data.averageLength = "00:05";
    DCChannelTable dc;
    dc.setName(0, "Oxygen");
    dc.setTerm(0, 1, "2.5");
    dc.setName(6, "");

    const std::vector<SheetLine> lines = VexaSheet(identified(ProductCode::Vexa2), data, dc);
    const std::vector<std::string> all = texts(lines);
    EXPECT_EQ(run(all, "Halcyx", 2)[1], "Brinemark Instruments Ltd.");
    EXPECT_EQ(run(all, "Vexa Configuration", 4),
              (std::vector<std::string>{"Vexa Configuration", "Serial Number: 2317",
                                        "Calibration Date: 03-14-2026", "Primary Channels"}));
    EXPECT_EQ(run(all, "Conductuvuty: ON", 6),
              (std::vector<std::string>{"Conductuvuty: ON", "Temperature: ON", "Pressure: ON",
                                        "Time: OFF", "Salinity: ON", "Sound Speed: OFF"}));
    EXPECT_EQ(run(all, "DC Channels", 15),
              (std::vector<std::string>{"DC Channels", "DC1: ON", "Name: Oxygen",
                                        "A: 0.00  B: 2.5  C: 0.00  D: 0.00  E: 0.00", "DC2: OFF",
                                        "DC3: OFF", "DC4: OFF", "DC5: OFF", "DC6: OFF", "DC7: ON",
                                        "Name: ", "A: 0.00  B: 1.00  C: 0.00  D: 0.00  E: 0.00",
                                        "DC8: OFF", "Instrument Time: 12:30:00",
                                        "Instrument Date: 12-06-2026"}));
    EXPECT_EQ(run(all, "Interval Time: 00:01:00", 8),
              (std::vector<std::string>{
                  "Interval Time: 00:01:00", "Record On Time: 00:00:30",
                  "Delayed Start Date: 01-01-1999", "Delayed Start Time: 08:00:00",
                  "Vexa Sampling Rate: 3.03 Hz", "Output RS-232 data continuously after power up.",
                  "Will NOT output data in scaled units.", "Average for 00:05 mm:ss."}));

    // Fonts and places: the letterhead and the title stand where the page says, the DC
    // details are indented, and "two lines down" leaves one blank line.
    EXPECT_EQ(lines.front().y, 0.08);
    const auto title = std::find_if(lines.begin(), lines.end(), [](const SheetLine& l) {
        return l.text == "Vexa Configuration";
    });
    EXPECT_EQ(title->y, 0.25);
    EXPECT_EQ(title->x, 0.17);
    EXPECT_EQ(title->font, SheetFont::Heading);
    EXPECT_TRUE((title + 1)->text.empty());
    const auto name = std::find_if(lines.begin(), lines.end(),
                                   [](const SheetLine& l) { return l.text == "Name: Oxygen"; });
    EXPECT_EQ(name->x, 0.16);
    EXPECT_EQ(name->font, SheetFont::Text);
}

TEST(ConfigSheet, TavrinTakesTheAttachedModelsRecordAndItsTimeChannel) {
    struct Case {
        ProductCode product;
        std::array<std::uint16_t, 3> channels;
        const char* time;
    };
    for (const Case& c : {Case{ProductCode::TavrinCT, {1, 1, 0}, "Time: OFF"},
                          Case{ProductCode::TavrinCT, {1, 1, 1}, "Time: ON"},
                          Case{ProductCode::TavrinP, {1, 1, 0}, "Time: ON"}}) {
        TavrinConfigData data;
        data.channel = c.channels;
        data.intervalTime = "00:10:00";
        data.scaledOutput = 1;
        data.averageTime = "00:10";
        const std::vector<std::string> all = texts(TavrinSheet(identified(c.product), data));
        EXPECT_EQ(run(all, "Tavrin Configuration", 1)[0], "Tavrin Configuration");
        EXPECT_EQ(run(all, "Primary Channels", 4),
                  (std::vector<std::string>{"Primary Channels", "Conductivity: ON",
                                            "Temperature: ON", c.time}));
        EXPECT_EQ(run(all, "Interval Time: 00:10:00", 1).size(), 1u);
        EXPECT_EQ(all.end()[-3], "Will NOT output RS-232 data continuously after power up.");
        EXPECT_EQ(all.end()[-2], "Output data in scaled units from 0 to 65536 counts.");
        EXPECT_EQ(all.back(), "Average for 00:10 seconds.");
        EXPECT_EQ(std::count_if(all.begin(), all.end(),
                                [](const std::string& t) { return t.starts_with("Vexa"); }),
                  0);
    }
}

} // namespace
} // namespace halcyx
