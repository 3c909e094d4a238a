#pragma once

#include "core/base/Product.h"
#include "core/instrument/RunStream.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace halcyx {

class CommPort;
class ConfigSession;
class Operator;

// Timer periods of the run windows [ms].
inline constexpr int kVexaRunTickMs = 1000;
inline constexpr int kCtRunTickMs = 1400;

// What "Continuous Data Mode" asked for: the model's run window, and the log file when the
// operator chose one.
struct RunRequest {
    ProductCode product = ProductCode::None;
    std::optional<std::string> logPath;
};

// "Continuous Data Mode" up to its window: the settings read if they never were, the
// instrument put into run mode unless it is there, and the log question with its file.
// Nullopt for a model without a run window.
std::optional<RunRequest> ContinuousDataMode(ConfigSession& session, Operator& op);

// The shared part of both run windows without the window: the port, the raw log file and
// the closing sequence that may stop the instrument's output. The log file is opened for
// appending; one that cannot be opened or written is said once, and logging then stops
// rather than the window claiming a log that is not being kept.
class RunSession {
public:
    RunSession(CommPort& port, Operator& op, const std::optional<std::string>& logPath);
    ~RunSession();
    RunSession(const RunSession&) = delete;
    RunSession& operator=(const RunSession&) = delete;

    // "Not Logging", or the log file's name without its folder.
    std::string loggingText() const;
    bool logging() const { return logFd_ >= 0; }

    // Closing: "Leave Instrument Running?"; on No the output is stopped ("S" three times)
    // and what still comes, at most closingReadBytes, is logged as it came. Then a return,
    // and the port's receive side is purged. The log is closed.
    void stop(std::size_t closingReadBytes);

protected:
    // Reads what has arrived without waiting, at most maxBytes.
    std::span<const std::uint8_t> read(std::size_t maxBytes);
    // Appends the bytes unchanged.
    void log(std::span<const std::uint8_t> bytes);
    // Appends the bytes with each CR LF, and each lone LF, written as one CR LF.
    void logLines(std::span<const std::uint8_t> bytes);
    // Purges the receive side and starts the continuous output ("SC" and a return).
    void startOutput();

    CommPort& port_;
    Operator& op_;

private:
    void closeLog();
    void writeLog(std::span<const std::uint8_t> bytes);

    int logFd_ = -1;
    std::string logName_;
    std::vector<std::uint8_t> buffer_;
};

// The Vexa run window without the window.
class VexaRun : public RunSession {
public:
    static constexpr std::size_t kReadBytes = 1000;
    static constexpr std::size_t kClosingReadBytes = 1000;

    VexaRun(CommPort& port, Operator& op, const std::optional<std::string>& logPath,
            ChannelMask mask)
        : RunSession(port, op, logPath), mask_(mask) {}
    // Purges, lets the line settle and starts the output.
    void start();
    // One timer tick: the read is logged and its first whole line shown, if it has one.
    std::optional<VexaRunTexts> tick();

private:
    ChannelMask mask_;
};

// The Tavrin CT run window without the window. While it synchronises it keeps the progress
// box up with the count of queued bytes.
class CtRun : public RunSession {
public:
    static constexpr std::size_t kReadBytes = 300;
    static constexpr std::size_t kClosingReadBytes = 1014;

    CtRun(CommPort& port, Operator& op, const std::optional<std::string>& logPath, bool timeOn)
        : RunSession(port, op, logPath), timeOn_(timeOn) {}
    ~CtRun();
    // Purges, starts the output and shows the progress box.
    void start();
    // One timer tick: the read is logged and queued; the latest complete record, if any.
    std::optional<CtRunRecord> tick();
    bool synchronising() const { return stream_.synchronising(); }
    const CtRunStream& stream() const { return stream_; }

private:
    void closeProgress();

    CtRunStream stream_;
    bool timeOn_;
    bool progressShown_ = false;
};

} // namespace halcyx
