#pragma once

#include "core/serial/Clock.h"
#include "core/serial/SerialDevice.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace halcyx::test {

// A stand-in instrument on the line for the command-layer tests. It echoes every byte it
// receives, answers each line ended by a carriage return (and each "#M0"-style probe) from
// a table or a function, and logs everything the program does to the line with the
// virtual time, as plain text a reviewer can read:
//     "   400 > \"S/N\\r\" 20ms/char"   bytes written, with the pause after each
//     "  1100 < 18 \"S/N\\r = 1234M\\r\\n\""  a read with its limit and what it took
//     "  1100 purge rx"                  a purge of the receive (rx) or transmit (tx) side
// Answers are available at once: timing belongs to the program, not to this stand-in.
class ScriptedInstrument : public SerialDevice {
public:
    // The answer to a received line (without its carriage return); empty for silence.
    using Responder = std::function<std::string(const std::string& line)>;

    explicit ScriptedInstrument(const Clock& clock) : clock_(clock) {}

    // Answers from a table; lines not in it get no answer.
    void answer(std::map<std::string, std::string> table);
    // Answers from a function (replaces the table).
    void respond(Responder responder) { responder_ = std::move(responder); }
    // Bytes that appear on the line as if the instrument had sent them.
    void send(const std::string& bytes);
    void setEcho(bool on) { echo_ = on; }

    // The traffic log since the last clearLog(), one event per line.
    std::string log() const;
    void clearLog() { events_.clear(); }
    // Every line the instrument received, in order.
    const std::vector<std::string>& lines() const { return lines_; }

    bool open(const std::string& path) override;
    bool setLine(std::uint32_t baud) override;
    long read(std::span<std::uint8_t> buf) override;
    long write(std::span<const std::uint8_t> data) override;
    bool purge(PurgeWhat what) override;
    bool close() override;
    bool isOpen() const override { return open_; }
    int lastError() const override { return lastError_; }
    std::string lastErrorText() const override { return lastError_ ? "No such device" : ""; }

    // Device paths that do not exist (ENODEV); every other path opens.
    std::set<std::string> missing;
    std::string path;       // the device last opened
    std::uint32_t baud = 0; // the rate last set [bit/s]

private:
    struct Event {
        enum Kind { Write, Read, Purge } kind = Write;
        std::int64_t timeMs = 0;
        std::string bytes;
        std::int64_t gapMs = -1; // write: the time between its bytes (-1 for one byte)
        std::int64_t lastByteMs = 0;
        std::size_t limit = 0; // read: the bytes asked for
    };
    void received(char byte);
    void answerLine(const std::string& line);

    const Clock& clock_;
    int lastError_ = 0;
    Responder responder_;
    bool echo_ = true;
    bool open_ = false;
    std::deque<char> rx_;
    std::string pendingLine_;
    std::vector<std::string> lines_;
    std::vector<Event> events_;
};

} // namespace halcyx::test
