// Setting the instrument's clock: the offered local-time texts, the exact bytes, pauses and
// purge sent on the virtual clock, and their effect on a simulated instrument.
#include "core/instrument/ClockSetting.h"

#include "sim/SimDevice.h"
#include "sim/VexaModel.h"
#include "tests/instrument/Harness.h"

#include <gtest/gtest.h>
#include <string>

namespace halcyx::test {
namespace {

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
    Harness h;
    h.line.respond(nullptr);
    ASSERT_TRUE(setInstrumentClock(h.port, h.op, {"08:00:00", "12-31-2026"}));
    // 20 ms after every character, the response pause after each of the first three
    // entries and a full second after the date before the receive side is emptied.
    EXPECT_EQ(h.line.log(), "     0 > \"TIME\\r\" 20ms/char\n"
                            "   400 > \"08:00:00\\r\" 20ms/char\n"
                            "   880 > \"DATE\\r\" 20ms/char\n"
                            "  1280 > \"12-31-2026\\r\" 20ms/char\n"
                            "  2500 purge rx\n");
    EXPECT_FALSE(h.op.waitCursor);
    EXPECT_EQ(h.op.waitCursorChanges, 2);

    Harness closed;
    closed.port.Close();
    closed.line.clearLog();
    EXPECT_FALSE(setInstrumentClock(closed.port, closed.op, {"08:00:00", "12-31-2026"}));
    EXPECT_EQ(closed.line.log(), "");
    EXPECT_FALSE(closed.op.waitCursor);
}

TEST(ClockSetting, TheSimulatedInstrumentTakesTheNewTimeAndDate) {
    VirtualClock clock;
    ScriptedOperator op;
    sim::Instrument::Config config;
    config.identity = {"1634M", "2.10", "10OCT97", 1};
    sim::VexaModel vexa(ProductCode::Vexa3, config);
    sim::SimDevice device(clock, vexa);
    CommPort port(device, clock, op, [](int) { return std::string("/dev/sim"); });
    ASSERT_TRUE(port.OpenPort(1));

    ASSERT_TRUE(setInstrumentClock(port, op, {"08:00:00", "12-31-2026"}));
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

} // namespace
} // namespace halcyx::test
