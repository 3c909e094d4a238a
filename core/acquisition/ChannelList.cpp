#include "core/acquisition/ChannelList.h"

#include "core/acquisition/ScanRecord.h"

namespace halcyx {
namespace {

std::string DefaultDcLabel(int channel) {
    return "DC" + std::to_string(channel + 1);
}

// The derived quantities in record order, as computed by this program.
constexpr std::array<const char*, 6> kDerivedLabels = {"*SAL", "*ATG",   "*POT",
                                                       "*DEN", "*DEPTH", "*SVEL"};

} // namespace

DcConversions buildDcConversions(const DCChannelTable& table) {
    DcConversions conversions;
    for (int ch = 0; ch < DCChannelTable::kChannels; ++ch) {
        const std::string& name = table.texts(ch).name;
        if (name.empty())
            conversions[ch] = {DefaultDcLabel(ch), DcCoefficients::identity()};
        else
            conversions[ch] = {name, table.convertedTerms(ch)};
    }
    return conversions;
}

void reconvertDcCoefficients(DcConversions& conversions, const DCChannelTable& table,
                             ChannelMask channelMask) {
    for (int ch = 0; ch < DCChannelTable::kChannels; ++ch) {
        if (!mask::has(channelMask, dcChannelBit(ch + 1)))
            continue;
        conversions[ch].coefficients =
            table.texts(ch).name.empty() ? DcCoefficients::identity() : table.convertedTerms(ch);
    }
}

ChannelList::ChannelList(ScanLayout layout, ChannelMask channelMask, const DcConversions& dc) {
    entries_.push_back({"SCANS", scan::kScanNumber});
    auto addDerived = [this](std::size_t first) {
        for (std::size_t i = 0; i < kDerivedLabels.size(); ++i)
            entries_.push_back({kDerivedLabels[i], first + i});
    };
    switch (layout) {
    case ScanLayout::Vexa: {
        struct Primary {
            ChannelMask bit;
            const char* label;
            std::size_t index;
        };
        constexpr std::array<Primary, 5> kPrimaries = {{
            {mask::kConductivity, "COND", scan::vexa::kConductivity},
            {mask::kTemperature, "TEMP", scan::vexa::kTemperature},
            {mask::kPressure, "PRES", scan::vexa::kPressure},
            {mask::kSalinity, "SAL", scan::vexa::kSalinity},
            {mask::kSoundVelocity, "SV", scan::vexa::kSoundVelocity},
        }};
        for (const Primary& p : kPrimaries)
            if (mask::has(channelMask, p.bit))
                entries_.push_back({p.label, p.index});
        for (int ch = 0; ch < DCChannelTable::kChannels; ++ch)
            if (mask::has(channelMask, dcChannelBit(ch + 1)))
                entries_.push_back({dc[ch].label, scan::vexa::kFirstDc + ch});
        addDerived(scan::vexa::kDerived);
        break;
    }
    case ScanLayout::TavrinCT:
        entries_.push_back({"COND", scan::tavrinct::kConductivity});
        entries_.push_back({"TEMP", scan::tavrinct::kTemperature});
        addDerived(scan::tavrinct::kDerived);
        break;
    case ScanLayout::TavrinP:
        entries_.push_back({"PRES", scan::tavrinp::kPressure});
        if (mask::has(channelMask, mask::kTavrinPBarometer))
            entries_.push_back({"BARO", scan::tavrinp::kBarometer});
        entries_.push_back({"*DEPTH", scan::tavrinp::kDepth});
        break;
    }
}

std::size_t ChannelList::recordIndex(int position) const {
    if (position < 0 || static_cast<std::size_t>(position) >= entries_.size())
        return scan::kScanNumber;
    return entries_[position].index;
}

} // namespace halcyx
