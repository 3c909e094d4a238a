#pragma once

#include "core/acquisition/ChannelList.h"
#include "core/acquisition/LineCutter.h"
#include "core/acquisition/ScanRecord.h"
#include "core/acquisition/ScanSink.h"
#include "core/base/ModelTraits.h"
#include "core/instrument/DcChannelTable.h"
#include "core/serial/Fifo.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace halcyx {

// The scan state of the acquisition window: the data queue, the line cutter, the scan
// record, the channel list with the DC conversions, and the scan and auto-zoom counters.
// Each data tick hands it the bytes read from the data port; it cuts complete lines,
// turns each into the scan record (measured values, DC channels through their
// polynomials, derived seawater quantities) and passes every scan on to a ScanSink.
class ScanParser {
public:
    // At most this many bytes are taken from the port per tick.
    static constexpr std::size_t kMaxBytesPerTick = 2000;
    // The cast data file is closed and reopened whenever the scan count reaches a multiple.
    static constexpr int kReopenPeriod = 50;
    // Towed casts redraw the pressure graphs whenever the scan count reaches a multiple.
    static constexpr int kPressureRedrawPeriod = 10;
    static constexpr float kDefaultConstantPressure = 1.0f;  // [dbar]
    static constexpr float kDefaultConstantLatitude = 45.0f; // [deg]

    // Builds the channel list and the DC conversions from the table's texts.
    ScanParser(ScanLayout layout, ChannelMask channelMask, const DCChannelTable& dcTable);

    ScanLayout layout() const { return layout_; }
    ChannelMask channelMask() const { return channelMask_; }
    const ChannelList& channels() const { return channels_; }
    const DcConversions& dcConversions() const { return dc_; }
    // After the DC channel dialog: new coefficients for the channels that are on.
    void reconvertDcCoefficients(const DCChannelTable& dcTable);

    // Pressure [dbar] used in place of a measured one (Tavrin CT) and latitude [deg] for
    // depth (all models).
    void setConstants(float pressure, float latitude);
    float constantPressure() const { return constantPressure_; }
    float constantLatitude() const { return constantLatitude_; }
    // Towed mode feeds the pressure graphs (Vexa models). A stamp, when given, appends
    // the navigation position to each Vexa record line.
    void setTowed(bool towed, RecordStamp* stamp);
    // Zoom the profile graph after every updateRate scans [scans] when enabled.
    void setAutoZoom(bool enabled, std::uint32_t updateRate);

    // Cast start: empty the queue, synchronise afresh, scan count 0.
    void startCast();
    // One data tick with what the port delivered (at most kMaxBytesPerTick are taken).
    void tick(std::span<const std::uint8_t> bytes, ScanSink& sink);

    const ScanRecord& record() const { return record_; }
    // Scans parsed in the current cast; -1 before the first cast.
    int scanCount() const { return scanCount_; }
    std::uint32_t scansSinceZoom() const { return scansSinceZoom_; }
    const LineCutter& cutter() const { return cutter_; }

private:
    void parseLine(std::string_view line, ScanSink& sink);
    void parseVexa(std::string_view line, ScanSink& sink);
    void parseTavrinCT(std::string_view line, ScanSink& sink);
    void parseTavrinP(std::string_view line);
    // The six derived quantities from conductivity, temperature [degC] and pressure
    // [dbar], stored from record index first on.
    void derive(std::size_t first, float conductivity, float temperature, float pressure);
    void handOff(std::string_view line, ScanSink& sink);
    void endTick(ScanSink& sink, bool showCount);

    ScanLayout layout_;
    ChannelMask channelMask_;
    DcConversions dc_;
    ChannelList channels_;
    float constantPressure_ = kDefaultConstantPressure;
    float constantLatitude_ = kDefaultConstantLatitude;
    bool towed_ = false;
    RecordStamp* stamp_ = nullptr;
    bool autoZoom_ = false;
    std::uint32_t zoomRate_ = 0;

    Fifo queue_;
    LineCutter cutter_;
    ScanRecord record_;
    int scanCount_ = -1;
    std::uint32_t scansSinceZoom_ = 0;
    std::string recordText_;
};

} // namespace halcyx
