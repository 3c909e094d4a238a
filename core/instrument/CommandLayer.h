#pragma once

#include "core/instrument/CommandDelays.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

class CommPort;
class Operator;

// What the program believes the instrument is doing.
enum class InstrumentMode : std::int32_t { Unknown = 0, Open = 1, Run = 2 };

// The outcome of one open-mode request.
enum class OpenResult : int { NoAnswer = -1, NotOpen = 0, Open = 1 };

// Answer sizes [bytes]: every read is bounded by the figure of its command.
inline constexpr std::size_t kOpenAnswerBytes = 12;
inline constexpr std::size_t kRunAnswerBytes = 100;
inline constexpr std::size_t kIdentityAnswerBytes = 18; // S/N, VER, CDATE
inline constexpr std::size_t kClockAnswerBytes = 49;    // TIME, DATE
inline constexpr std::size_t kAddressAnswerBytes = 100;
inline constexpr std::size_t kChannelAnswerBytes = 20;
inline constexpr std::size_t kLargestAnswerBytes = 500; // the memory commands

// The two texts EnsureOpen shows when it gives up.
inline constexpr std::string_view kRunToOpenFailed =
    "Instrument was in Run mode, error changing from RUN to OPEN mode";
inline constexpr std::string_view kNotInOpenMode = "Instrument is not in OPEN mode";

// How the configuration window speaks to the instrument: commands written one character
// at a time with a pause after each (the instrument echoes every character), a pause for
// the answer, and a read of whatever has arrived, bounded by the command's figure.
// The instrument accepts commands only in open mode; in run mode it streams scans.
class CommandLayer {
public:
    CommandLayer(CommPort& port, Operator& op);

    CommPort& port() { return port_; }
    Operator& op() { return op_; }

    const CommandDelays& delays() const { return delays_; }
    void setDelays(CommandDelays delays) { delays_ = delays; }

    InstrumentMode mode() const { return mode_; }
    void setMode(InstrumentMode mode) { mode_ = mode; }
    // Set once an open-mode request was answered; enables the instrument commands.
    bool openConfirmed() const { return openConfirmed_; }
    void clearOpenConfirmed() { openConfirmed_ = false; }

    // One open-mode request ("***O\r" then "\r"). An instrument believed to be streaming
    // that does not answer "Open" is sent the stop sequence.
    OpenResult EnterOpenMode();
    // Up to ten open-mode requests unless the instrument is already open; when all fail,
    // shows failureMessage (kRunToOpenFailed or kNotInOpenMode) and returns false.
    [[nodiscard]] bool EnsureOpen(std::string_view failureMessage);
    // "***R\r": continuous scans. Reports a refusal or silence to the operator.
    void EnterRunMode();
    // "S\rS\rS\r" at 50 ms per character, then one response delay.
    void StopContinuous();

    // The common shape of a read-back: purge, key + "\r" written slowly, extraPauseMs,
    // then at most maxBytes (up to kLargestAnswerBytes) read after one response delay.
    // Nullopt when nothing arrived.
    [[nodiscard]] std::optional<std::string> Query(std::string_view key, std::size_t maxBytes,
                                                   std::uint32_t extraPauseMs);
    // "S/N", "VER" or "CDATE": the value after "=" when the answer holds marker.
    [[nodiscard]] std::optional<std::string> queryValue(std::string_view key,
                                                        std::string_view marker);
    // "TIME" or "DATE": the text after "is " up to the line end. A bare return follows,
    // which leaves the instrument's clock as it is.
    [[nodiscard]] std::optional<std::string> queryClock(std::string_view key);
    // "ADR": the number after "=".
    [[nodiscard]] std::optional<int> queryAddress();
    // "CH%d" or "DC%d": whether the channel is on; nullopt when nothing arrived.
    [[nodiscard]] std::optional<bool> queryChannel(const std::string& key);

    // Writes text slowly at the character delay.
    void write(std::string_view text);
    // Writes command + "\r" slowly, then reads at most maxBytes after pauseMs (see readAnswer).
    std::string exchange(std::string_view command, std::size_t maxBytes, std::uint32_t pauseMs);
    // A command that needs no check: written slowly, then one response delay.
    void writeUnchecked(std::string_view command);
    // The bytes that arrived within pauseMs, at most maxBytes (up to kLargestAnswerBytes).
    std::vector<std::uint8_t> readBytes(std::size_t maxBytes, std::uint32_t pauseMs);
    // The same as text (see answerText); empty when nothing arrived.
    std::string readAnswer(std::size_t maxBytes, std::uint32_t pauseMs);
    // Reads at most maxBytes after one response delay.
    std::string readAnswer(std::size_t maxBytes) {
        return readAnswer(maxBytes, delays_.responseMs);
    }
    // Pauses for count response delays.
    void pauseResponse(std::uint32_t count = 1);
    // Both sides: received bytes first, then anything still queued for sending.
    void Purge();
    void purgeReceive();

private:
    void sendStopSequence();

    CommPort& port_;
    Operator& op_;
    CommandDelays delays_;
    InstrumentMode mode_ = InstrumentMode::Unknown;
    bool openConfirmed_ = false;
};

} // namespace halcyx
