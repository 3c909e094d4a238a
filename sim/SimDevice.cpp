#include "sim/SimDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace halcyx::sim {

namespace {
constexpr std::uint32_t kDefaultPortBaud = 9600;
constexpr std::uint8_t kNoiseFloor = 0x80; // garbage from a wrong baud rate is mostly high bytes
} // namespace

SimDevice::SimDevice(Clock& clock, LinePeer& peer)
    : clock_(clock), peer_(peer), toPeer_(kDefaultPortBaud, kTransmitQueueBytes),
      fromPeer_(peer.baud(), kPeerTransmitBytes) {
    peer_.attach(&fromPeer_);
    peer_.start(now());
}

SimDevice::~SimDevice() {
    peer_.attach(nullptr);
}

std::string SimDevice::lastErrorText() const {
    return std::strerror(lastError_);
}

bool SimDevice::usable(long& result) {
    result = -1;
    if (unplugged_) {
        lastError_ = EIO;
        return false;
    }
    if (!open_) {
        lastError_ = EBADF;
        return false;
    }
    return true;
}

bool SimDevice::refused(const std::optional<int>& fault) {
    if (fault) {
        lastError_ = *fault;
    }
    return fault.has_value();
}

bool SimDevice::open(const std::string& path) {
    if (refused(portFaults.open)) {
        return false;
    }
    if (unplugged_) {
        lastError_ = ENOENT;
        return false;
    }
    if (missingPaths.count(path) != 0) {
        lastError_ = ENODEV;
        return false;
    }
    if (open_) {
        lastError_ = EBUSY;
        return false;
    }
    advance(); // whatever arrived while closed is gone
    open_ = true;
    path_ = path;
    received_.clear();
    return true;
}

bool SimDevice::setLine(std::uint32_t baud) {
    long result = 0;
    if (!usable(result) || refused(portFaults.setLine)) {
        return false;
    }
    advance();
    portBaud_ = baud;
    toPeer_.setBaud(baud);
    return true;
}

bool SimDevice::setFlowControl(FlowControl flow) {
    long result = 0;
    if (!usable(result) || refused(portFaults.flowControl)) {
        return false;
    }
    flow_ = flow;
    return true;
}

long SimDevice::read(std::span<std::uint8_t> buf) {
    long result = 0;
    if (!usable(result) || refused(portFaults.read)) {
        return -1;
    }
    advance();
    const std::size_t count = std::min(buf.size(), received_.size());
    std::copy_n(received_.begin(), count, buf.begin());
    received_.erase(received_.begin(), received_.begin() + static_cast<long>(count));
    return static_cast<long>(count);
}

long SimDevice::write(std::span<const std::uint8_t> data) {
    long result = 0;
    if (!usable(result)) {
        return result;
    }
    if (portFaults.write && portFaults.okWrites > 0) {
        --portFaults.okWrites;
    } else if (refused(portFaults.write)) {
        return -1;
    }
    advance();
    const std::size_t count = toPeer_.send(now(), data);
    traffic_.record(clock_.nowMs(), Direction::FromProgram,
                    std::string_view(reinterpret_cast<const char*>(data.data()), count));
    return static_cast<long>(count);
}

bool SimDevice::purge(PurgeWhat what) {
    long result = 0;
    if (!usable(result)) {
        return false;
    }
    advance();
    if (what != PurgeWhat::Transmit) {
        received_.clear();
    }
    if (what != PurgeWhat::Receive) {
        toPeer_.discardPending(now());
    }
    return true;
}

bool SimDevice::close() {
    // A device that went away, or a refused close, releases the port all the same, as the
    // system releases a descriptor whatever close() reports.
    if ((unplugged_ || portFaults.close) && open_) {
        open_ = false;
        received_.clear();
        lastError_ = unplugged_ ? EIO : *portFaults.close;
        return false;
    }
    long result = 0;
    if (!usable(result)) {
        return false;
    }
    advance();
    open_ = false;
    received_.clear();
    return true;
}

std::size_t SimDevice::pending() {
    advance();
    return received_.size();
}

std::uint8_t SimDevice::noiseByte() {
    return static_cast<std::uint8_t>(kNoiseFloor + noise_() % (0x100 - kNoiseFloor));
}

void SimDevice::advance() {
    const SimTime present = now();
    for (;;) {
        const SimTime arrival = toPeer_.nextArrival();
        const SimTime event = peer_.nextEventAt();
        const SimTime t = std::min(arrival, event);
        if (t > present) {
            break;
        }
        collect(t);
        if (arrival <= event) {
            toPeer_.deliver(arrival, [this](SimTime at, std::uint8_t byte) {
                peer_.receive(mismatched() ? noiseByte() : byte, at);
            });
        } else {
            peer_.runEvent(event);
        }
    }
    collect(present);
}

void SimDevice::collect(SimTime t) {
    fromPeer_.deliver(t, [this](SimTime at, std::uint8_t byte) {
        ++bytesToProgram_;
        if (lineFaults_.dropEveryNth != 0 && bytesToProgram_ % lineFaults_.dropEveryNth == 0) {
            return;
        }
        if (lineFaults_.corruptEveryNth != 0 &&
            bytesToProgram_ % lineFaults_.corruptEveryNth == 0) {
            byte = static_cast<std::uint8_t>(~byte);
        }
        if (lineFaults_.noise || mismatched()) {
            byte = noiseByte();
        }
        if (!open_ || received_.size() >= kReceiveQueueBytes) {
            return;
        }
        received_.push_back(byte);
        traffic_.record(at / kNanosPerMs, Direction::ToProgram,
                        std::string_view(reinterpret_cast<const char*>(&byte), 1));
    });
}

} // namespace halcyx::sim
