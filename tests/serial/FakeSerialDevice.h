#pragma once

#include "core/serial/Clock.h"
#include "core/serial/SerialDevice.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace halcyx::test {

// An in-memory serial line for tests. It answers each command line (the bytes written up
// to a carriage return) from a script, delivers bytes only once the clock has reached
// their arrival time, records every written byte with the clock time it was written at,
// and fails any operation on demand with a chosen error code.
class FakeSerialDevice : public SerialDevice {
public:
    // One byte with the clock time it was written at, or arrives at [ms].
    struct Written {
        std::int64_t atMs;
        std::uint8_t byte;
    };

    explicit FakeSerialDevice(const Clock& clock) : clock_(clock) {}

    // The reply to every "command\r" written, arriving delayMs after the carriage return.
    void answer(const std::string& command, const std::string& reply, std::int64_t delayMs = 0) {
        replies_[command] = {reply, delayMs};
    }
    // The reply to any command without its own answer; none by default.
    void answerUnknown(const std::string& reply) { unknownReply_ = {reply, 0}; }
    // Bytes the far end sends by itself, arriving delayMs from now.
    void receive(const std::string& bytes, std::int64_t delayMs = 0) {
        for (char c : bytes)
            input_.push_back({clock_.nowMs() + delayMs, static_cast<std::uint8_t>(c)});
    }

    // While set, the operation fails with that error code.
    std::optional<int> failOpen, failSetLine, failFlowControl, failRead, failWrite, failPurge,
        failClose;
    // Writes succeed for okBytes more bytes, then fail with code.
    void failWritesAfter(std::size_t okBytes, int code) {
        writesBeforeFailure_ = okBytes;
        failWriteCode_ = code;
    }

    std::vector<Written> writes;
    // "open <path>", "setLine <baud>", "flow <n>", "read", "write", "purge <what>", "close"
    std::vector<std::string> events;
    std::uint32_t baud = 0;
    FlowControl flow = FlowControl::None;

    std::string writtenText() const {
        std::string text;
        for (const Written& w : writes)
            text.push_back(static_cast<char>(w.byte));
        return text;
    }
    // How many received bytes the clock has let arrive and nobody has read.
    std::size_t waiting() const {
        return static_cast<std::size_t>(
            std::ranges::count_if(input_, [this](const Written& b) { return arrived(b); }));
    }

    bool open(const std::string& path) override {
        open_ = attempt("open " + path, failOpen) || open_;
        return !failOpen;
    }
    bool setLine(std::uint32_t rate) override {
        baud = attempt("setLine " + std::to_string(rate), failSetLine) ? rate : baud;
        return !failSetLine;
    }
    bool setFlowControl(FlowControl f) override {
        flow = attempt("flow " + std::to_string(static_cast<int>(f)), failFlowControl) ? f : flow;
        return !failFlowControl;
    }
    long read(std::span<std::uint8_t> buf) override {
        if (!attempt("read", failRead))
            return -1;
        std::size_t n = 0;
        for (; n < buf.size() && !input_.empty() && arrived(input_.front()); ++n) {
            buf[n] = input_.front().byte;
            input_.pop_front();
        }
        return static_cast<long>(n);
    }
    long write(std::span<const std::uint8_t> data) override {
        if (!attempt("write", failWrite))
            return -1;
        for (std::uint8_t byte : data) {
            if (writesBeforeFailure_ && (*writesBeforeFailure_)-- == 0) {
                writesBeforeFailure_.reset();
                lastError_ = failWriteCode_;
                return -1;
            }
            writes.push_back({clock_.nowMs(), byte});
            takeCommandByte(byte);
        }
        return static_cast<long>(data.size());
    }
    bool purge(PurgeWhat what) override {
        const char* const names[] = {"receive", "transmit", "both"};
        if (!attempt(std::string("purge ") + names[static_cast<int>(what)], failPurge))
            return false;
        if (what != PurgeWhat::Transmit)
            std::erase_if(input_, [this](const Written& b) { return arrived(b); });
        return true;
    }
    bool close() override {
        open_ = false;
        return attempt("close", failClose);
    }
    bool isOpen() const override { return open_; }
    int lastError() const override { return lastError_; }
    std::string lastErrorText() const override {
        return "fake error " + std::to_string(lastError_);
    }

private:
    using Reply = std::pair<std::string, std::int64_t>; // bytes, delay [ms]

    // Records the call; false (with the error code kept) when it is set to fail.
    bool attempt(std::string event, const std::optional<int>& failure) {
        events.push_back(std::move(event));
        if (failure)
            lastError_ = *failure;
        return !failure;
    }
    bool arrived(const Written& b) const { return b.atMs <= clock_.nowMs(); }
    void takeCommandByte(std::uint8_t byte) {
        if (byte != '\r') {
            line_.push_back(static_cast<char>(byte));
            return;
        }
        const auto found = replies_.find(line_);
        const std::optional<Reply> reply = found != replies_.end() ? found->second : unknownReply_;
        line_.clear();
        if (reply)
            receive(reply->first, reply->second);
    }

    const Clock& clock_;
    bool open_ = false;
    int lastError_ = 0;
    std::map<std::string, Reply> replies_;
    std::optional<Reply> unknownReply_;
    std::deque<Written> input_;
    std::string line_;
    std::optional<std::size_t> writesBeforeFailure_;
    int failWriteCode_ = 0;
};

} // namespace halcyx::test
