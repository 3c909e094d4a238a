#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace halcyx {

// Which side of a serial line a purge empties.
enum class PurgeWhat { Receive, Transmit, Both };

// How a line paces its sender: not at all, by the RTS/CTS lines, or by XON (02 hex) and
// XOFF (03 hex) characters in both directions.
enum class FlowControl { None, Hardware, XonXoff };

// One serial line as the operating system (or a simulator) offers it. CommPort builds the
// program's port behaviour on top of this; nothing here shows a message.
//
// Failures return false or -1 and leave lastError()/lastErrorText() describing them.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device at path for exclusive use by this process.
    [[nodiscard]] virtual bool open(const std::string& path) = 0;
    // Sets 8 data bits, no parity, 1 stop bit, the chosen flow control (none unless
    // setFlowControl said otherwise) and the baud rate [bit/s].
    virtual bool setLine(std::uint32_t baud) = 0;
    // Chooses the flow control the next setLine applies. A device that can only run
    // without flow control refuses the others.
    virtual bool setFlowControl(FlowControl flow) { return flow == FlowControl::None; }
    // Takes up to buf.size() bytes that have already arrived, without waiting.
    // Returns the count (0 when none) or -1 on failure.
    virtual long read(std::span<std::uint8_t> buf) = 0;
    // Hands bytes to the line. Returns the count accepted or -1 on failure.
    virtual long write(std::span<const std::uint8_t> data) = 0;
    // Discards what was received and not yet read, and/or what is queued for sending.
    virtual bool purge(PurgeWhat what) = 0;
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;

    // The system's error code of the last failure (errno on POSIX) and its text.
    virtual int lastError() const = 0;
    virtual std::string lastErrorText() const = 0;
};

} // namespace halcyx
