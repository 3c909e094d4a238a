#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/acquisition/CastLifecycle.h"
#include "core/acquisition/LineCutter.h"
#include "core/acquisition/ListingText.h"
#include "core/acquisition/RecordFile.h"
#include "core/acquisition/ScanDecoder.h"
#include "core/serial/Fifo.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

class CommPort;

// What a cast's scans are shown on: readouts, the profile graph, the pressure graphs, a
// value table. Every method does nothing unless overridden, so a user without a screen
// overrides only what it needs. Calls arrive in the order the comments give.
class ScanSubscriber {
public:
    virtual ~ScanSubscriber() = default;

    // While a line is decoded: the text of the conductivity, temperature or pressure field.
    virtual void onReadout(Readout, std::string_view /*text*/) {}
    // The values of one scan, indices 0 to valueCount - 1 (the profile graph's store and
    // its next point).
    virtual void onScan(const ScanRecord&, std::size_t /*valueCount*/) {}
    // The record line just written to the cast data file and the listing.
    virtual void onRecord(std::string_view /*line*/) {}
    // Towed Vexa casts only: the scan for the four pressure graphs, and every
    // kPressureRedrawPeriod scans the request to redraw them.
    virtual void onPressurePoint(const ScanRecord&) {}
    virtual void onPressureRedraw() {}
    // When a tick has used up what it could: the scan count for the "Scans" readout.
    virtual void onScanCount(int /*scans*/) {}
    // Auto-zoom is due: zoom the profile graph to its data.
    virtual void onZoom() {}
};

// Adds the navigation appendix (position, optionally time) to a towed Vexa record line.
class RecordStamp {
public:
    virtual ~RecordStamp() = default;
    virtual void appendTo(std::string& line) = 0;
};

// How hard the cast data file holds on to what it has been given.
enum class Durability {
    // A live cast: the records of every tick go to the operating system at its end, and
    // the file is closed and reopened every kReopenPeriod scans, so a crash of the program
    // loses no record already received.
    Live,
    // A replay of a captured stream: records are written in large blocks.
    Buffered,
};

// One cast without any window: the data queue, the line cutter and the decoder, the cast
// data file and the cast information, the listing and the counters, and the policy of
// the data tick (pressure graphs redrawn every tenth scan, auto-zoom, the file reopened
// every fiftieth). The acquisition window holds one and subscribes its displays; the
// replay tool and the benchmark run it on a captured stream.
class CastSession {
public:
    // At most this many bytes are taken from the port per tick.
    static constexpr std::size_t kMaxBytesPerTick = 2000;
    // A live cast closes and reopens its data file whenever the scan count reaches a multiple.
    static constexpr int kReopenPeriod = 50;
    // Towed casts redraw the pressure graphs whenever the scan count reaches a multiple.
    static constexpr int kPressureRedrawPeriod = 10;

    CastSession(ScanLayout layout, std::uint32_t channelMask, const DCChannelTable& dcTable,
                Durability durability = Durability::Live);

    ScanDecoder& decoder() { return decoder_; }
    const ScanDecoder& decoder() const { return decoder_; }
    void subscribe(ScanSubscriber& subscriber) { subscribers_.push_back(&subscriber); }

    // Towed mode feeds the pressure graphs (Vexa models). A stamp, when given, appends
    // the navigation position to each Vexa record line.
    void setTowed(bool towed, RecordStamp* stamp);
    // Zoom the profile graph after every updateRate scans [scans] when enabled.
    void setAutoZoom(bool enabled, std::uint32_t updateRate);

    // Cast start: creates the data file at dataPath and only then fills the cast
    // information; empties the queue, synchronises afresh, scan count 0. False, with
    // nothing changed, when the file cannot be created.
    bool startCast(const std::string& dataPath, const std::tm& now);
    // After the line was interrupted (a data device that went away and came back): what is
    // queued is dropped and the line length is found afresh, so no partial line is cut;
    // the scan count and the data file go on.
    void resynchronise();
    // One data tick with what the port delivered (at most kMaxBytesPerTick are taken).
    // Nothing more happens once the data file failed.
    void tick(std::span<const std::uint8_t> bytes);
    // One data tick reading the port without waiting.
    void tick(CommPort& port);
    // Cast end (see EndCastFiles); the session fills in the layout, mask and scan count.
    // The first file that could not be written, if any.
    std::optional<FileError> EndCast(CastSummary cast, const std::tm& now,
                                     const std::function<void()>& closeBottleFile = {},
                                     const std::function<void(CastInfo&)>& editInfo = {});

    const ScanRecord& record() const { return decoder_.record(); }
    // Scans parsed in the current cast; -1 before the first cast.
    int scanCount() const { return scanCount_; }
    std::uint32_t scansSinceZoom() const { return scansSinceZoom_; }
    const LineCutter& cutter() const { return cutter_; }
    CastInfo& info() { return info_; }
    const RecordFile& dataFile() const { return data_; }
    const ListingText& listing() const { return listing_; }
    ListingText& listing() { return listing_; }
    // The first failure of the data file in this cast.
    const std::optional<FileError>& writeFailure() const { return data_.failure(); }

private:
    void handOff(std::string_view line);
    void endTick(bool showCount);

    ScanDecoder decoder_;
    Durability durability_;
    std::vector<ScanSubscriber*> subscribers_;
    bool towed_ = false;
    RecordStamp* stamp_ = nullptr;
    bool autoZoom_ = false;
    std::uint32_t zoomRate_ = 0;

    Fifo queue_;
    LineCutter cutter_;
    RecordFile data_;
    CastInfo info_;
    ListingText listing_;
    int scanCount_ = -1;
    std::uint32_t scansSinceZoom_ = 0;
    std::string recordText_;
};

} // namespace halcyx
