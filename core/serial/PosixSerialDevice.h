#pragma once

#include "core/serial/SerialDevice.h"

#include <cstdint>
#include <string>

namespace halcyx {

// A serial device node (/dev/ttyS0, /dev/ttyUSB0, a pseudo-terminal) driven through
// termios: raw 8N1, reads that never wait, and exclusive use. The exclusivity is taken
// twice: TIOCEXCL keeps other openers out of the tty, and an flock keeps out even root,
// whom TIOCEXCL lets through.
class PosixSerialDevice : public SerialDevice {
public:
    // How long a write may wait for room in the driver's output queue [ms] before the
    // line is declared stuck (a flow-controlled or dead line).
    static constexpr int kWriteStallLimitMs = 2000;

    PosixSerialDevice() = default;
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    bool open(const std::string& path) override;
    bool setLine(std::uint32_t baud) override;
    bool setFlowControl(FlowControl flow) override;
    long read(std::span<std::uint8_t> buf) override;
    long write(std::span<const std::uint8_t> data) override;
    bool purge(PurgeWhat what) override;
    bool close() override;
    bool isOpen() const override { return fd_ >= 0; }

    int lastError() const override { return lastError_; }
    // The system's text for lastError(), with a plain hint where the usual cause is known
    // (not in the dialout group, port in use, adapter unplugged).
    std::string lastErrorText() const override;

private:
    // Records errno (or code) as the last failure; returns false for chaining.
    bool fail(int code);
    // The same for operations that return a byte count: always -1.
    long failCount(int code);
    // Sets raw 8N1 with the chosen flow control; baud 0 keeps the current rate.
    bool applyTermios(std::uint32_t baud);

    int fd_ = -1;
    FlowControl flow_ = FlowControl::None;
    int lastError_ = 0;
};

} // namespace halcyx
