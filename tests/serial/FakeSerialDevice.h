#pragma once

#include "serial/Clock.h"
#include "serial/SerialDevice.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace halcyx::test {

// An in-memory serial line for tests. It answers each command line (the bytes written up
// to a carriage return) from a script, delivers bytes only once the clock has reached
// their arrival time, records every written byte with the clock time it was written at,
// and fails any operation on demand with a chosen error code.
class FakeSerialDevice : public SerialDevice {
public:
    struct Written {
        std::int64_t atMs;
        std::uint8_t byte;
    };

    explicit FakeSerialDevice(const Clock& clock) : clock_(clock) {}

    // --- script ---
    // The reply to every "command\r" written, arriving delayMs after the carriage return.
    void answer(const std::string& command, const std::string& reply, std::int64_t delayMs = 0) {
        replies_[command] = Reply{reply, delayMs};
    }
    // The reply to any command without its own answer; none by default.
    void answerUnknown(const std::string& reply) { unknownReply_ = Reply{reply, 0}; }
    // Bytes the far end sends by itself, arriving delayMs from now.
    void receive(const std::string& bytes, std::int64_t delayMs = 0) {
        for (char c : bytes)
            input_.push_back({clock_.nowMs() + delayMs, static_cast<std::uint8_t>(c)});
    }

    // --- failure injection: while set, the operation fails with that error code ---
    std::optional<int> failOpen, failSetLine, failFlowControl, failRead, failWrite, failPurge,
        failClose;
    // Writes succeed for okBytes more bytes, then fail with code.
    void failWritesAfter(std::size_t okBytes, int code) {
        writesBeforeFailure_ = okBytes;
        failWriteCode_ = code;
    }

    // --- records ---
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
        std::size_t n = 0;
        for (const Pending& p : input_)
            n += p.atMs <= clock_.nowMs();
        return n;
    }

    // --- SerialDevice ---
    bool open(const std::string& path) override {
        events.push_back("open " + path);
        if (failOpen)
            return fail(*failOpen);
        open_ = true;
        return true;
    }
    bool setLine(std::uint32_t rate) override {
        events.push_back("setLine " + std::to_string(rate));
        if (failSetLine)
            return fail(*failSetLine);
        baud = rate;
        return true;
    }
    bool setFlowControl(FlowControl f) override {
        events.push_back("flow " + std::to_string(static_cast<int>(f)));
        if (failFlowControl)
            return fail(*failFlowControl);
        flow = f;
        return true;
    }
    long read(std::span<std::uint8_t> buf) override {
        events.push_back("read");
        if (failRead)
            return failCount(*failRead);
        std::size_t n = 0;
        while (n < buf.size() && !input_.empty() && input_.front().atMs <= clock_.nowMs()) {
            buf[n++] = input_.front().byte;
            input_.pop_front();
        }
        return static_cast<long>(n);
    }
    long write(std::span<const std::uint8_t> data) override {
        events.push_back("write");
        if (failWrite)
            return failCount(*failWrite);
        for (std::uint8_t byte : data) {
            if (writesBeforeFailure_ && (*writesBeforeFailure_)-- == 0) {
                writesBeforeFailure_.reset();
                return failCount(failWriteCode_);
            }
            writes.push_back({clock_.nowMs(), byte});
            takeCommandByte(byte);
        }
        return static_cast<long>(data.size());
    }
    bool purge(PurgeWhat what) override {
        events.push_back(what == PurgeWhat::Receive    ? "purge receive"
                         : what == PurgeWhat::Transmit ? "purge transmit"
                                                       : "purge both");
        if (failPurge)
            return fail(*failPurge);
        if (what != PurgeWhat::Transmit)
            while (!input_.empty() && input_.front().atMs <= clock_.nowMs())
                input_.pop_front();
        return true;
    }
    bool close() override {
        events.push_back("close");
        open_ = false;
        if (failClose)
            return fail(*failClose);
        return true;
    }
    bool isOpen() const override { return open_; }
    int lastError() const override { return lastError_; }
    std::string lastErrorText() const override {
        return "fake error " + std::to_string(lastError_);
    }

private:
    struct Pending {
        std::int64_t atMs;
        std::uint8_t byte;
    };
    struct Reply {
        std::string bytes;
        std::int64_t delayMs;
    };

    bool fail(int code) {
        lastError_ = code;
        return false;
    }
    long failCount(int code) {
        lastError_ = code;
        return -1;
    }
    void takeCommandByte(std::uint8_t byte) {
        if (byte != '\r') {
            line_.push_back(static_cast<char>(byte));
            return;
        }
        const auto found = replies_.find(line_);
        line_.clear();
        const std::optional<Reply> reply =
            found != replies_.end() ? std::optional<Reply>(found->second) : unknownReply_;
        if (reply)
            receive(reply->bytes, reply->delayMs);
    }

    const Clock& clock_;
    bool open_ = false;
    int lastError_ = 0;
    std::map<std::string, Reply> replies_;
    std::optional<Reply> unknownReply_;
    std::deque<Pending> input_;
    std::string line_;
    std::optional<std::size_t> writesBeforeFailure_;
    int failWriteCode_ = 0;
};

} // namespace halcyx::test
