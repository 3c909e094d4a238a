// Setting the instrument's clock: the offered local-time texts, the exact bytes, pauses and
// purge sent on the virtual clock, and their effect on a simulated instrument.
#include "instrument/ClockSetting.h"

#include "ScriptedOperator.h"
#include "SimDevice.h"
#include "VexaModel.h"
#include "serial/CommPort.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace halcyx;
using halcyx::test::ScriptedOperator;

namespace {

// A line that takes every byte and notes when it was written; it answers nothing.
class RecordingDevice : public SerialDevice {
public:
    explicit RecordingDevice(const Clock& clock) : clock_(clock) {}

    bool open(const std::string&) override { return open_ = true; }
    bool setLine(std::uint32_t) override { return true; }
    long read(std::span<std::uint8_t>) override { return 0; }
    long write(std::span<const std::uint8_t> data) override {
        for (std::uint8_t b : data) {
            written.push_back(static_cast<char>(b));
            writtenAtMs.push_back(clock_.nowMs());
        }
        return static_cast<long>(data.size());
    }
    bool purge(PurgeWhat what) override {
        if (what == PurgeWhat::Receive) {
            receivePurgesAtMs.push_back(clock_.nowMs());
        }
        return true;
    }
    bool close() override {
        open_ = false;
        return true;
    }
    bool isOpen() const override { return open_; }
    int lastError() const override { return 0; }
    std::string lastErrorText() const override { return {}; }

    std::string written;
    std::vector<std::int64_t> writtenAtMs;
    std::vector<std::int64_t> receivePurgesAtMs;

private:
    const Clock& clock_;
    bool open_ = false;
};

struct Line {
    VirtualClock clock;
    ScriptedOperator op;
    RecordingDevice device{clock};
    CommPort port{device, clock, op, [](int) { return std::string("/dev/null"); }};
};

} // namespace

TEST(ClockSetting, TextsOfTheLocalTime) {
    struct Case {
        int year, month, day, hour, minute, second;
        const char* time;
        const char* date;
    };
    const Case cases[] = {
        {2026, 12, 6, 7, 5, 9, "07:05:09", "12-06-2026"},
        {1999, 1, 1, 0, 0, 0, "00:00:00", "01-01-1999"},
        {2000, 2, 29, 23, 59, 59, "23:59:59", "02-29-2000"},
    };
    for (const Case& c : cases) {
        std::tm local{};
        local.tm_year = c.year - 1900;
        local.tm_mon = c.month - 1;
        local.tm_mday = c.day;
        local.tm_hour = c.hour;
        local.tm_min = c.minute;
        local.tm_sec = c.second;
        const ClockTexts texts = clockTexts(local);
        EXPECT_EQ(texts.time, c.time);
        EXPECT_EQ(texts.date, c.date);
    }
}

TEST(ClockSetting, WritesTimeAndDateWithTheirPausesThenPurges) {
    Line line;
    ASSERT_TRUE(line.port.OpenPort(1));
    const std::int64_t start = line.clock.nowMs();
    line.device.receivePurgesAtMs.clear();
    line.device.writtenAtMs.clear();

    ASSERT_TRUE(SetInstrumentClock(line.port, line.op, {"08:00:00", "12-31-2026"}));
    EXPECT_EQ(line.device.written, "TIME\r08:00:00\rDATE\r12-31-2026\r");

    // 20 ms after every character, 300 ms after each of the first three entries and a
    // full second after the date before the receive side is emptied.
    std::vector<std::int64_t> expected;
    std::int64_t at = start;
    for (const auto& [text, pauseMs] : std::vector<std::pair<std::string, int>>{
             {"TIME\r", 300}, {"08:00:00\r", 300}, {"DATE\r", 300}, {"12-31-2026\r", 1000}}) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            expected.push_back(at);
            at += 20;
        }
        at += pauseMs;
    }
    EXPECT_EQ(line.device.writtenAtMs, expected);
    EXPECT_EQ(line.device.receivePurgesAtMs, std::vector<std::int64_t>{at});
    EXPECT_EQ(line.clock.nowMs(), at);
    EXPECT_FALSE(line.op.waitCursor);
    EXPECT_EQ(line.op.waitCursorChanges, 2);
}

TEST(ClockSetting, AClosedPortSendsNothing) {
    Line line;
    EXPECT_FALSE(SetInstrumentClock(line.port, line.op, {"08:00:00", "12-31-2026"}));
    EXPECT_EQ(line.device.written, "");
    EXPECT_TRUE(line.device.receivePurgesAtMs.empty());
    EXPECT_FALSE(line.op.waitCursor);
}

TEST(ClockSetting, TheSimulatedInstrumentTakesTheNewTimeAndDate) {
    VirtualClock clock;
    ScriptedOperator op;
    sim::Instrument::Config config;
    config.identity = {"1634M", "2.10", "10OCT97", 1};
    sim::VexaModel vexa(sim::VexaModel::Generation::Vexa3, config);
    sim::SimDevice device(clock, vexa);
    CommPort port(device, clock, op, [](int) { return std::string("/dev/sim"); });
    ASSERT_TRUE(port.OpenPort(1));

    ASSERT_TRUE(SetInstrumentClock(port, op, {"08:00:00", "12-31-2026"}));
    device.advance();
    std::tm set{};
    set.tm_year = 2026 - 1900;
    set.tm_mon = 11;
    set.tm_mday = 31;
    set.tm_hour = 8;
    const std::int64_t setSeconds = timegm(&set);
    const std::int64_t clockNow = vexa.clockSeconds(clock.nowMs() * sim::kNanosPerMs);
    // The time was entered about two seconds before the end of the exchange.
    EXPECT_GE(clockNow, setSeconds);
    EXPECT_LE(clockNow, setSeconds + 3);
    // The instrument's confirmation was purged, not left for the next command to read.
    EXPECT_EQ(device.pending(), 0u);
}
