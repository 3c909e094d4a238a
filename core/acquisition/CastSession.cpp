#include "core/acquisition/CastSession.h"

#include "core/serial/CommPort.h"

#include <algorithm>
#include <array>

namespace halcyx {

CastSession::CastSession(ScanLayout layout, std::uint32_t channelMask,
                         const DCChannelTable& dcTable, Durability durability)
    : decoder_(layout, channelMask, dcTable), durability_(durability),
      cutter_(LineCutter::forLayout(layout)) {}

void CastSession::setTowed(bool towed, RecordStamp* stamp) {
    towed_ = towed;
    stamp_ = stamp;
}

void CastSession::setAutoZoom(bool enabled, std::uint32_t updateRate) {
    autoZoom_ = enabled;
    zoomRate_ = updateRate;
}

bool CastSession::startCast(const std::string& dataPath, const std::tm& now) {
    if (!startCastFiles(data_, info_, dataPath, now))
        return false;
    queue_.clear();
    cutter_.restart();
    scanCount_ = 0;
    return true;
}

void CastSession::resynchronise() {
    queue_.clear();
    cutter_.restart();
}

void CastSession::tick(CommPort& port) {
    std::array<std::uint8_t, kMaxBytesPerTick> bytes{};
    const int n = port.Read(bytes);
    tick(std::span(bytes).first(static_cast<std::size_t>(std::max(n, 0))));
}

void CastSession::tick(std::span<const std::uint8_t> bytes) {
    if (data_.failure())
        return;
    if (bytes.empty()) {
        endTick(false);
        return;
    }
    // A full queue refuses what arrives; those bytes are dropped.
    queue_.Put(bytes.first(std::min(bytes.size(), kMaxBytesPerTick)));

    bool wrote = false;
    for (;;) {
        const LineCutter::Step step = cutter_.next(queue_);
        if (step == LineCutter::Step::Line) {
            handOff(cutter_.line());
            if (data_.failure())
                return;
            wrote = true;
            continue;
        }
        if (wrote && durability_ == Durability::Live && !data_.flush())
            return;
        if (step == LineCutter::Step::Drained)
            endTick(true);
        return;
    }
}

void CastSession::handOff(std::string_view line) {
    decoder_.Decode(line, scanCount_);
    for (std::size_t r = 0; r < kReadouts; ++r) {
        const Readout which = static_cast<Readout>(r);
        if (const std::optional<std::string_view> text = decoder_.readout(which))
            for (ScanSubscriber* s : subscribers_)
                s->onReadout(which, *text);
    }
    const ScanRecord& record = decoder_.record();
    for (ScanSubscriber* s : subscribers_)
        s->onScan(record, decoder_.valueCount());
    ++scanCount_;
    ++scansSinceZoom_;
    const bool vexa = decoder_.layout() == ScanLayout::Vexa;
    recordText_.assign(line);
    if (vexa && towed_ && stamp_ != nullptr)
        stamp_->appendTo(recordText_);
    data_.writeRecord(recordText_);
    listing_.append(recordText_);
    for (ScanSubscriber* s : subscribers_)
        s->onRecord(recordText_);
    if (vexa && towed_) {
        for (ScanSubscriber* s : subscribers_)
            s->onPressurePoint(record);
        if (scanCount_ % kPressureRedrawPeriod == 0)
            for (ScanSubscriber* s : subscribers_)
                s->onPressureRedraw();
    }
}

void CastSession::endTick(bool showCount) {
    if (showCount)
        for (ScanSubscriber* s : subscribers_)
            s->onScanCount(scanCount_);
    if (autoZoom_ && scansSinceZoom_ >= zoomRate_) {
        for (ScanSubscriber* s : subscribers_)
            s->onZoom();
        scansSinceZoom_ = 0;
    }
    if (durability_ == Durability::Live && scanCount_ > 0 && scanCount_ % kReopenPeriod == 0)
        data_.Reopen();
}

std::optional<FileError> CastSession::EndCast(CastSummary cast, const std::tm& now,
                                              const std::function<void()>& closeBottleFile,
                                              const std::function<void(CastInfo&)>& editInfo) {
    cast.layout = decoder_.layout();
    cast.channelMask = decoder_.channelMask();
    cast.scanCount = scanCount_;
    return endCastFiles(data_, closeBottleFile, info_, cast, decoder_.dcConversions(), now,
                        editInfo);
}

} // namespace halcyx
