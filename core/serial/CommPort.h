#pragma once

#include "core/serial/Clock.h"
#include "core/serial/SerialDevice.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace halcyx {

class Operator;

// One RS-232 port, COM1 to COM4, used synchronously from the interface thread: reads that
// never wait, slow writes with a pause after every character, a command exchange that
// checks the answer for "BAD COMMAND", and one error report for every system failure.
// The owning window decides baud rate, pauses and handshake; CommPort carries them out.
//
// Every operation returns 0/false on failure; a failed open leaves the port closed, and
// then every operation fails quietly without touching the device. A failed read or write
// leaves the port open, except when the device itself has gone (an unplugged adapter):
// that is reported once and the port closed, so that polling timers do not stack boxes.
// The device, clock and operator must outlive the port.
class CommPort {
public:
    // Maps a COM number 1..4 to the device path to open (the PORTS section of the
    // settings file in the program).
    using PathForPort = std::function<std::string(int port)>;
    // The path used when the owner gives no PathForPort: COM1 is /dev/ttyS0, and so on.
    static std::string defaultPathForPort(int port);

    // SendCommand's pause before and while reading the answer until the owner sets it [ms].
    static constexpr std::uint32_t kInitialDefaultPauseMs = 300;
    // SendCommand's pause after each command character [ms].
    static constexpr std::uint32_t kCommandCharPauseMs = 30;
    // The most SendCommand reads of an answer [bytes].
    static constexpr std::size_t kCommandAnswerBytes = 80;
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 4;
    // The rate a port is prepared for by Setup, until SetBaud [bit/s].
    static constexpr std::uint32_t kSetupBaud = 9600;

    enum Handshake { kHandshakeNone = 1, kHandshakeHardware = 2, kHandshakeXonXoff = 3 };

    // An empty pathForPort means defaultPathForPort.
    CommPort(SerialDevice& device, Clock& clock, Operator& op, PathForPort pathForPort);
    ~CommPort();
    CommPort(const CommPort&) = delete;
    CommPort& operator=(const CommPort&) = delete;

    // Closes the port if open, prepares 9600 baud 8N1, stores the figures and opens it.
    // A port number outside 1..4 returns false without a message (the owner shows its own).
    [[nodiscard]] bool Setup(int port, std::uint16_t inputFigure, std::uint16_t outputFigure);
    // Opens the device for COM<port>, closing any device this port still holds, and
    // purges both directions.
    [[nodiscard]] bool OpenPort(int port);
    // True when the device closed (or the port was not open).
    bool Close();
    // Applies the rate [bit/s] with the handshake; baud() changes only when it was applied.
    bool SetBaud(std::uint32_t baud);
    // Applies one of the Handshake modes (any other value means none) with the rate.
    bool SetHandshake(int mode);

    // Takes at most buffer.size() bytes that have arrived. Returns the count.
    int Read(std::span<std::uint8_t> buffer);
    // Sleeps for pauseMs, then reads as Read.
    int ReadWait(std::span<std::uint8_t> buffer, std::uint32_t pauseMs);
    bool WriteByte(std::uint8_t byte);
    // Writes the bytes one at a time, sleeping pauseMs after each; stops at the first
    // failure. Nothing to write is success.
    bool WriteSlow(std::span<const std::uint8_t> bytes, std::uint32_t pauseMs);
    bool WriteSlow(const std::string& text, std::uint32_t pauseMs);
    // Purges the receive side, sends command + "\r" slowly, waits and reads the answer.
    // False without an answer (quietly) or when it contains "BAD COMMAND" (with a message).
    [[nodiscard]] bool SendCommand(const std::string& command);
    // The answer text of the last SendCommand (empty when none arrived), at most
    // kCommandAnswerBytes long; NUL bytes on the line are left out.
    const std::string& lastAnswer() const { return lastAnswer_; }
    void Sleep(std::uint32_t pauseMs) { clock_.sleepMs(pauseMs); }
    // Discards received and/or queued bytes; callers reach for it between commands.
    bool Purge(PurgeWhat what);
    // Shows "%s = %d" (description, system error code), then the system's own text.
    void ReportLastError(const std::string& description);

    // Whether a device that goes away is reported here (the default) or only noticed: the
    // port closes either way, and the owner that turned the report off says so itself.
    void setReportDeviceLoss(bool report) { reportDeviceLoss_ = report; }
    // True once a device that went away closed the port, until the port is opened again.
    bool deviceLost() const { return deviceLost_; }
    // Opens the device of the current COM number again without a message (an adapter that
    // was plugged back in) and applies the rate and handshake in use. False while the
    // device is still away.
    [[nodiscard]] bool reopenQuietly();

    bool isOpen() const { return open_; }
    int port() const { return port_; }
    std::uint32_t baud() const { return baud_; }
    std::uint32_t defaultPause() const { return defaultPauseMs_; }
    void setDefaultPause(std::uint32_t pauseMs) { defaultPauseMs_ = pauseMs; }
    std::uint16_t inputFigure() const { return inputFigure_; }
    std::uint16_t outputFigure() const { return outputFigure_; }
    Clock& clock() { return clock_; }

private:
    // Applies the rate and the handshake to the device; reports a refusal.
    bool applyLine(std::uint32_t baud);
    // Reports a failed read or write. A device that has gone away (unplugged adapter) is
    // closed first, so that the timers polling it fail quietly instead of stacking boxes.
    void reportIoFailure(const std::string& description);
    void showError(const std::string& description, int code, const std::string& text);

    SerialDevice& device_;
    Clock& clock_;
    Operator& op_;
    PathForPort pathForPort_;
    std::uint32_t defaultPauseMs_ = kInitialDefaultPauseMs;
    int port_ = 0;
    std::uint16_t inputFigure_ = 0;
    std::uint16_t outputFigure_ = 0;
    std::uint32_t baud_ = 9600;
    int handshake_ = kHandshakeNone;
    bool open_ = false;
    bool reportDeviceLoss_ = true;
    bool deviceLost_ = false;
    std::string lastAnswer_;
};

} // namespace halcyx
