#pragma once

#include "core/instrument/ConfigRecords.h"
#include "core/instrument/DcChannelTable.h"
#include "core/instrument/InstrumentRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace halcyx {

// The four fonts of a configuration sheet: Times New Roman 18 and 14 points bold, Arial
// 12 points bold and normal.
enum class SheetFont { Heading, Subheading, Label, Text };

// One line of a configuration sheet, top to bottom. The sheet's running position moves
// down by the height of each line's font; a line with an empty text is a blank line.
// Positions are fractions of the printable page [0..1 of its width and height].
struct SheetLine {
    SheetFont font = SheetFont::Text;
    double x = 0.0;
    std::string text;
    // When set, the line is drawn this far down the page and the running position
    // continues from there.
    std::optional<double> y;
};

// The settings sheet of a Vexa 2 or Vexa 3: letterhead, identity, the six primary and
// eight DC channels, then the timing and output settings.
std::vector<SheetLine> VexaSheet(const InstrumentRecord& record, const VexaConfigData& data,
                                 const DCChannelTable& dcTable);
// The settings sheet of a Tavrin CT or Tavrin P: the lines of the Tavrin CT, filled from the
// record of the model that is attached.
std::vector<SheetLine> TavrinSheet(const InstrumentRecord& record, const TavrinConfigData& data);

} // namespace halcyx
