#pragma once

#include "core/base/ModelTraits.h"
#include "core/instrument/DcChannelTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace halcyx {

// The label and coefficients a DC channel uses for a cast (and for its calibration file).
struct DcConversion {
    std::string label;
    DcCoefficients coefficients;
};
using DcConversions = std::array<DcConversion, DCChannelTable::kChannels>;

// Labels and coefficients from the table's texts: a named channel takes its name and its
// converted terms; an unnamed one "DC<n>" and the identity polynomial.
DcConversions buildDcConversions(const DCChannelTable& table);

// After the DC dialog closed: the coefficients of every channel whose bit is set are
// converted again from the texts (identity when the name is now empty); labels stay.
void reconvertDcCoefficients(DcConversions& conversions, const DCChannelTable& table,
                             ChannelMask channelMask);

// The ordered plottable parameters of a cast. Graph settings store positions in this list;
// each position names a scan record index. Position 0 is always the scan number.
class ChannelList {
public:
    struct Entry {
        std::string label;
        std::size_t index; // into ScanRecord
    };

    ChannelList() = default;
    ChannelList(ScanLayout layout, ChannelMask channelMask, const DcConversions& dc);

    const std::vector<Entry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    // The record index at a stored position; 0 (the scan number) for a position the list
    // does not have.
    std::size_t recordIndex(int position) const;

private:
    std::vector<Entry> entries_;
};

} // namespace halcyx
