// The channel list per layout and the DC channels' labels and coefficients.

#include "core/acquisition/ChannelList.h"

#include <gtest/gtest.h>
#include <string>

namespace halcyx {
namespace {

DCChannelTable NamedTable() {
    DCChannelTable table;
    table.setName(0, "Oxygen");
    table.setTerm(0, 0, "1.5");
    table.setTerm(0, 1, "2");
    table.setTerm(0, 4, "oops");
    table.setName(2, ""); // unnamed: default label, identity
    table.setTerm(2, 1, "9");
    return table;
}

TEST(ChannelList, ListsTheLayoutsParameters) {
    const DcConversions dc = buildDcConversions(NamedTable());
    const std::string derived = "*SAL@14 *ATG@15 *POT@16 *DEN@17 *DEPTH@18 *SVEL@19";
    const struct {
        ScanLayout layout;
        ChannelMask mask;
        std::string labels;
    } cases[] = {
        // All primaries, DC1 and DC3.
        {ScanLayout::Vexa, 0x053F, "COND@1 TEMP@2 PRES@3 SAL@4 SV@5 Oxygen@6 DC3@8 " + derived},
        // No pressure, time ignored, DC8.
        {ScanLayout::Vexa, 0x800B, "COND@1 TEMP@2 DC8@13 " + derived},
        // The Tavrin CT lists all its values whatever the mask.
        {ScanLayout::TavrinCT, 0x7, "COND@1 TEMP@2 *SAL@3 *ATG@4 *POT@5 *DEN@6 *DEPTH@7 *SVEL@8"},
        {ScanLayout::TavrinP, 0x7, "PRES@1 BARO@2 *DEPTH@7"},
        {ScanLayout::TavrinP, 0x3, "PRES@1 *DEPTH@7"}};
    for (const auto& c : cases) {
        const ChannelList list(c.layout, c.mask, dc);
        std::string labels;
        for (const auto& e : list.entries())
            labels += (labels.empty() ? "" : " ") + e.label + "@" + std::to_string(e.index);
        EXPECT_EQ(labels, "SCANS@0 " + c.labels);
    }
}

TEST(DcConversions, ReconvertingChangesCoefficientsOfChannelsOnButNoLabels) {
    DCChannelTable table = NamedTable();
    DcConversions dc = buildDcConversions(table);
    table.setName(0, "");     // DC1 on: now unnamed, so identity
    table.setName(1, "Turb"); // DC2 on
    table.setTerm(1, 0, "3");
    table.setName(3, "Off"); // DC4 off: untouched
    table.setTerm(3, 0, "4");
    reconvertDcCoefficients(dc, table, dcChannelBit(1) | dcChannelBit(2));
    EXPECT_EQ(dc[0].label, "Oxygen");
    EXPECT_EQ(dc[0].coefficients, DcCoefficients::identity());
    EXPECT_EQ(dc[1].label, "DC2");
    EXPECT_EQ(dc[1].coefficients.a, 3.0f);
    EXPECT_EQ(dc[3].coefficients.a, 0.0f);
}

} // namespace
} // namespace halcyx
