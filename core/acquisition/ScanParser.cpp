#include "core/acquisition/ScanParser.h"

#include "core/acquisition/FieldReader.h"
#include "core/base/DecimalNumber.h"
#include "core/seawater/Seawater.h"

#include <algorithm>
#include <optional>

namespace halcyx {

ScanParser::ScanParser(ScanLayout layout, ChannelMask channelMask, const DCChannelTable& dcTable)
    : layout_(layout), channelMask_(channelMask), dc_(buildDcConversions(dcTable)),
      channels_(layout, channelMask, dc_), cutter_(LineCutter::forLayout(layout)) {}

void ScanParser::reconvertDcCoefficients(const DCChannelTable& dcTable) {
    halcyx::reconvertDcCoefficients(dc_, dcTable, channelMask_);
}

void ScanParser::setConstants(float pressure, float latitude) {
    constantPressure_ = pressure;
    constantLatitude_ = latitude;
}

void ScanParser::setTowed(bool towed, RecordStamp* stamp) {
    towed_ = towed;
    stamp_ = stamp;
}

void ScanParser::setAutoZoom(bool enabled, std::uint32_t updateRate) {
    autoZoom_ = enabled;
    zoomRate_ = updateRate;
}

void ScanParser::startCast() {
    queue_.clear();
    cutter_.restart();
    scanCount_ = 0;
}

void ScanParser::tick(std::span<const std::uint8_t> bytes, ScanSink& sink) {
    if (bytes.empty()) {
        endTick(sink, false);
        return;
    }
    // A full queue refuses what arrives; those bytes are dropped.
    for (std::uint8_t byte : bytes.first(std::min(bytes.size(), kMaxBytesPerTick)))
        queue_.Put(byte);

    bool wrote = false;
    for (;;) {
        const LineCutter::Step step = cutter_.next(queue_);
        if (step == LineCutter::Step::Line) {
            parseLine(cutter_.line(), sink);
            handOff(cutter_.line(), sink);
            wrote = true;
            continue;
        }
        if (wrote)
            sink.flushRecords();
        if (step == LineCutter::Step::Drained)
            endTick(sink, true);
        return;
    }
}

void ScanParser::parseLine(std::string_view line, ScanSink& sink) {
    switch (layout_) {
    case ScanLayout::Vexa:
        parseVexa(line, sink);
        break;
    case ScanLayout::TavrinCT:
        parseTavrinCT(line, sink);
        break;
    case ScanLayout::TavrinP:
        parseTavrinP(line);
        break;
    }
    record_[scan::kScanNumber] = static_cast<float>(scanCount_);
}

void ScanParser::parseVexa(std::string_view line, ScanSink& sink) {
    namespace v = scan::vexa;
    // The primary channels in bit order, which is field order. Time is read and ignored.
    struct Primary {
        ChannelMask bit;
        std::size_t index; // kIgnored: not stored
        std::optional<Readout> readout;
    };
    constexpr std::size_t kIgnored = ScanRecord::kValues;
    constexpr std::array<Primary, 6> kPrimaries = {{
        {mask::kConductivity, v::kConductivity, Readout::Conductivity},
        {mask::kTemperature, v::kTemperature, Readout::Temperature},
        {mask::kPressure, v::kPressure, Readout::Pressure},
        {mask::kTime, kIgnored, std::nullopt},
        {mask::kSalinity, v::kSalinity, std::nullopt},
        {mask::kSoundVelocity, v::kSoundVelocity, std::nullopt},
    }};
    FieldReader fields(line);
    for (const Primary& p : kPrimaries) {
        if (!mask::has(channelMask_, p.bit))
            continue;
        const std::string_view text = fields.nextText();
        if (p.index == kIgnored)
            continue;
        record_[p.index] = toSingle(decimalNumber(text));
        if (p.readout)
            sink.showReadout(*p.readout, text);
    }
    for (int ch = 0; ch < DCChannelTable::kChannels; ++ch) {
        if (!mask::has(channelMask_, dcChannelBit(ch + 1)))
            continue;
        const DcCoefficients& k = dc_[ch].coefficients;
        record_[v::kFirstDc + ch] =
            toSingle(DcChannelValue(fields.nextNumber(), k.a, k.b, k.c, k.d, k.e));
    }
    derive(v::kDerived, record_[v::kConductivity], record_[v::kTemperature], record_[v::kPressure]);
}

void ScanParser::parseTavrinCT(std::string_view line, ScanSink& sink) {
    namespace ct = scan::tavrinct;
    FieldReader fields(line);
    std::string_view text = fields.nextText();
    record_[ct::kConductivity] = toSingle(decimalNumber(text));
    sink.showReadout(Readout::Conductivity, text);
    text = fields.nextText();
    record_[ct::kTemperature] = toSingle(decimalNumber(text));
    sink.showReadout(Readout::Temperature, text);
    // A time field may follow; nothing after temperature is used.
    derive(ct::kDerived, record_[ct::kConductivity], record_[ct::kTemperature], constantPressure_);
}

void ScanParser::parseTavrinP(std::string_view line) {
    namespace p = scan::tavrinp;
    FieldReader fields(line);
    record_[p::kPressure] = toSingle(fields.nextNumber());
    if (mask::has(channelMask_, mask::kTavrinPTime))
        fields.skip();
    if (mask::has(channelMask_, mask::kTavrinPBarometer))
        record_[p::kBarometer] = toSingle(fields.nextNumber());
    record_[p::kDepth] = toSingle(SeawaterDepth(record_[p::kPressure], constantLatitude_));
}

void ScanParser::derive(std::size_t first, float conductivity, float temperature, float pressure) {
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

void ScanParser::handOff(std::string_view line, ScanSink& sink) {
    const bool vexa = layout_ == ScanLayout::Vexa;
    sink.plotScan(record_, vexa ? ScanRecord::kValues : ScanRecord::kTavrinValues);
    ++scanCount_;
    ++scansSinceZoom_;
    recordText_.assign(line);
    if (vexa && towed_ && stamp_ != nullptr)
        stamp_->appendTo(recordText_);
    sink.writeRecord(recordText_);
    if (vexa && towed_) {
        sink.plotPressure(record_);
        if (scanCount_ % kPressureRedrawPeriod == 0)
            sink.redrawPressureGraphs();
    }
}

void ScanParser::endTick(ScanSink& sink, bool showCount) {
    if (showCount)
        sink.showScanCount(scanCount_);
    if (autoZoom_ && scansSinceZoom_ >= zoomRate_) {
        sink.zoomProfileGraph();
        scansSinceZoom_ = 0;
    }
    if (scanCount_ > 0 && scanCount_ % kReopenPeriod == 0)
        sink.reopenDataFile();
}

} // namespace halcyx
