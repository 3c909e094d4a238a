#include "core/acquisition/ScanDecoder.h"

#include "core/base/DecimalNumber.h"
#include "core/seawater/Seawater.h"

#include <algorithm>

namespace halcyx {

ScanDecoder::ScanDecoder(ScanLayout layout, std::uint32_t channelMask,
                         const DCChannelTable& dcTable)
    : layout_(layout), channelMask_(channelMask), dc_(buildDcConversions(dcTable)),
      channels_(layout, channelMask, dc_), vexaPlan_(planVexa(channelMask)) {}

void ScanDecoder::reconvertDcCoefficients(const DCChannelTable& dcTable) {
    halcyx::reconvertDcCoefficients(dc_, dcTable, channelMask_);
}

void ScanDecoder::setConstants(float pressure, float latitude) {
    constantPressure_ = pressure;
    constantLatitude_ = latitude;
}

std::size_t ScanDecoder::valueCount() const {
    return layout_ == ScanLayout::Vexa ? ScanRecord::kValues : ScanRecord::kTavrinValues;
}

std::optional<std::string_view> ScanDecoder::readout(Readout which) const {
    const ReadoutText& r = readouts_[static_cast<std::size_t>(which)];
    if (!r.present)
        return std::nullopt;
    return std::string_view(r.chars.data(), r.size);
}

void ScanDecoder::Decode(std::string_view line, int scanNumber) {
    for (ReadoutText& r : readouts_)
        r.present = false;
    switch (layout_) {
    case ScanLayout::Vexa:
        DecodeVexa(line);
        break;
    case ScanLayout::TavrinCT:
        DecodeTavrinCT(line);
        break;
    case ScanLayout::TavrinP:
        DecodeTavrinP(line);
        break;
    }
    record_[scan::kScanNumber] = static_cast<float>(scanNumber);
}

void ScanDecoder::TakeShown(FieldReader::Field field, std::size_t index, Readout shown) {
    const std::string_view text = field.text;
    record_[index] = toSingle(field.number);
    ReadoutText& r = readouts_[static_cast<std::size_t>(shown)];
    r.size = std::min(text.size(), r.chars.size());
    std::copy_n(text.begin(), r.size, r.chars.begin());
    r.present = true;
}

ScanDecoder::VexaPlan ScanDecoder::planVexa(std::uint32_t channelMask) {
    namespace v = scan::vexa;
    VexaPlan plan;
    struct ShownBit {
        std::uint32_t bit;
        VexaPlan::Shown shown;
    };
    constexpr std::array<ShownBit, kReadouts> kShown = {{
        {mask::kConductivity, {v::kConductivity, Readout::Conductivity}},
        {mask::kTemperature, {v::kTemperature, Readout::Temperature}},
        {mask::kPressure, {v::kPressure, Readout::Pressure}},
    }};
    for (const ShownBit& s : kShown)
        if (mask::has(channelMask, s.bit))
            plan.shown[plan.shownCount++] = s.shown;
    plan.time = mask::has(channelMask, mask::kTime); // read and ignored
    if (mask::has(channelMask, mask::kSalinity))
        plan.plain[plan.plainCount++] = v::kSalinity;
    if (mask::has(channelMask, mask::kSoundVelocity))
        plan.plain[plan.plainCount++] = v::kSoundVelocity;
    for (int ch = 0; ch < DCChannelTable::kChannels; ++ch)
        if (mask::has(channelMask, dcChannelBit(ch + 1)))
            plan.dc[plan.dcCount++] = ch;
    return plan;
}

void ScanDecoder::DecodeVexa(std::string_view line) {
    namespace v = scan::vexa;
    const VexaPlan& plan = vexaPlan_;
    FieldReader fields(line);
    for (std::size_t i = 0; i < plan.shownCount; ++i)
        TakeShown(fields.nextField(), plan.shown[i].index, plan.shown[i].readout);
    if (plan.time)
        fields.skip();
    for (std::size_t i = 0; i < plan.plainCount; ++i)
        record_[plan.plain[i]] = toSingle(fields.nextNumber());
    for (std::size_t i = 0; i < plan.dcCount; ++i) {
        const int ch = plan.dc[i];
        const DcCoefficients& k = dc_[static_cast<std::size_t>(ch)].coefficients;
        record_[v::kFirstDc + static_cast<std::size_t>(ch)] =
            toSingle(DcChannelValue(fields.nextNumber(), k.a, k.b, k.c, k.d, k.e));
    }
    derive(v::kDerived, record_[v::kConductivity], record_[v::kTemperature], record_[v::kPressure]);
}

void ScanDecoder::DecodeTavrinCT(std::string_view line) {
    namespace ct = scan::tavrinct;
    FieldReader fields(line);
    TakeShown(fields.nextField(), ct::kConductivity, Readout::Conductivity);
    TakeShown(fields.nextField(), ct::kTemperature, Readout::Temperature);
    // A time field may follow; nothing after temperature is used.
    derive(ct::kDerived, record_[ct::kConductivity], record_[ct::kTemperature], constantPressure_);
}

void ScanDecoder::DecodeTavrinP(std::string_view line) {
    namespace p = scan::tavrinp;
    FieldReader fields(line);
    record_[p::kPressure] = toSingle(fields.nextNumber());
    if (mask::has(channelMask_, mask::kTavrinPTime))
        fields.skip();
    if (mask::has(channelMask_, mask::kTavrinPBarometer))
        record_[p::kBarometer] = toSingle(fields.nextNumber());
    record_[p::kDepth] = toSingle(SeawaterDepth(record_[p::kPressure], constantLatitude_));
}

void ScanDecoder::derive(std::size_t first, float conductivity, float temperature, float pressure) {
    // Each result is narrowed to single precision before the next one uses it.
    const float s = toSingle(SeawaterSalinity(conductivity, temperature, pressure));
    record_[first + scan::kDerivedSalinity] = s;
    record_[first + scan::kDerivedAtg] = toSingle(SeawaterAtg(s, temperature, pressure));
    record_[first + scan::kDerivedTheta] = toSingle(SeawaterTheta(s, temperature, pressure));
    record_[first + scan::kDerivedSigma] = toSingle(SeawaterSigma(s, temperature, pressure));
    record_[first + scan::kDerivedDepth] = toSingle(SeawaterDepth(pressure, constantLatitude_));
    record_[first + scan::kDerivedSoundSpeed] =
        toSingle(SeawaterSoundSpeed(s, temperature, pressure));
}

} // namespace halcyx
