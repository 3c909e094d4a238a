// Setting the instrument's clock: the offered local-time texts and the exact bytes, pauses
// and purge sent on the virtual clock (the instrument's clock after it is the dialog's test).
#include "core/instrument/ClockSetting.h"

#include "tests/support/SimRig.h"

#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

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
        EXPECT_EQ(std::tie(texts.time, texts.date), std::make_tuple(c.time, c.date));
    }
}

TEST(ClockSetting, TheInstrumentTakesTimeAndDateWithTheirPausesAndTheAnswerIsPurged) {
    SimRig h(ProductCode::Vexa3);
    ASSERT_TRUE(setInstrumentClock(h.port, h.op, {"08:00:00", "12-31-2026"}));
    // 20 ms after every character, the response pause after each of the first three
    // entries and a full second after the date before the receive side is emptied.
    EXPECT_EQ(h.received(), "0 < TIME\\r\n"
                            "400 < 08:00:00\\r\n"
                            "880 < DATE\\r\n"
                            "1280 < 12-31-2026\\r\n");
    EXPECT_EQ(h.clock.nowMs(), 2500);
    EXPECT_FALSE(h.op.waitCursor);
    EXPECT_EQ(h.op.waitCursorChanges, 2);
    // The instrument's confirmation was purged, not left for the next command to read.
    EXPECT_EQ(h.device.pending(), 0u);

    h.port.Close();
    h.device.traffic().clear();
    EXPECT_FALSE(setInstrumentClock(h.port, h.op, {"08:00:00", "12-31-2026"}));
    EXPECT_EQ(h.received(), "");
    EXPECT_FALSE(h.op.waitCursor);
}

} // namespace
} // namespace halcyx::test
