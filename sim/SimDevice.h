#pragma once

#include "core/serial/Clock.h"
#include "core/serial/SerialDevice.h"
#include "sim/Faults.h"
#include "sim/LinePeer.h"
#include "sim/SerialLine.h"
#include "sim/TrafficLog.h"

#include <cstdint>
#include <deque>
#include <random>
#include <set>
#include <string>

namespace halcyx::sim {

// A serial port with a simulated device on its far end, for tests and tools that run the
// program's serial code without hardware. Nothing runs on its own: every call first brings
// the far end up to the clock's present, so bytes the device sends become readable exactly
// when they would have crossed the line (ten bits per byte at the device's baud rate).
// A port set to another baud rate than the device's sees noise, and the device sees noise.
// The receive queue is bounded like a UART driver's: bytes that find it full are lost.
class SimDevice : public SerialDevice {
public:
    static constexpr std::size_t kReceiveQueueBytes = 8192;
    static constexpr std::size_t kTransmitQueueBytes = 4096;
    // What the far end can have waiting in its own transmit buffer.
    static constexpr std::size_t kPeerTransmitBytes = 65536;

    SimDevice(Clock& clock, LinePeer& peer);
    ~SimDevice() override;
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    bool open(const std::string& path) override;
    bool setLine(std::uint32_t baud) override;
    bool setFlowControl(FlowControl flow) override;
    long read(std::span<std::uint8_t> buf) override;
    long write(std::span<const std::uint8_t> data) override;
    bool purge(PurgeWhat what) override;
    bool close() override;
    bool isOpen() const override { return open_; }
    int lastError() const override { return lastError_; }
    std::string lastErrorText() const override;

    // Every byte that crossed the port, with its time.
    TrafficLog& traffic() { return traffic_; }
    LineFaults& lineFaults() { return lineFaults_; }
    PortFaults portFaults;
    // The device disappears (as a USB adapter pulled out): every operation fails from now on.
    void unplug() { unplugged_ = true; }
    void plugIn() { unplugged_ = false; }
    // Device paths with nothing behind them (ENODEV), as ports of a machine without them.
    std::set<std::string> missingPaths;
    // The path the port was last opened on.
    const std::string& path() const { return path_; }
    std::uint32_t portBaud() const { return portBaud_; }
    FlowControl flowControl() const { return flow_; }
    // Bytes waiting in the receive queue after bringing the far end up to date.
    std::size_t pending();
    // Runs the far end and the line up to the clock's present; call it before inspecting
    // the far end after the clock moved.
    void advance();

private:
    SimTime now() const { return clock_.nowMs() * kNanosPerMs; }
    void collect(SimTime t);
    bool usable(long& result);
    bool refused(const std::optional<int>& fault);
    bool mismatched() const { return portBaud_ != peer_.baud(); }
    std::uint8_t noiseByte();

    Clock& clock_;
    LinePeer& peer_;
    SerialLine toPeer_;
    SerialLine fromPeer_;
    std::deque<std::uint8_t> received_;
    TrafficLog traffic_;
    LineFaults lineFaults_;
    std::mt19937 noise_{0x5eed};
    unsigned long bytesToProgram_ = 0;
    std::uint32_t portBaud_ = 9600;
    FlowControl flow_ = FlowControl::None;
    std::string path_;
    bool open_ = false;
    bool unplugged_ = false;
    int lastError_ = 0;
};

} // namespace halcyx::sim
