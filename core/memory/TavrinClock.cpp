#include "core/memory/TavrinClock.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace halcyx {
namespace {

constexpr int kYearBase = 1997;
constexpr std::uint16_t kYearMask = 0x3F;
constexpr std::uint16_t kAfternoonBit = 0x40;
constexpr int kDayShift = 7;
constexpr int kHoursPerHalfDay = 12;
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

// Days before each month, shifted by one: entry m + 1 is the days before month m + 1, so
// the first entry not below the day of the year is one past its month.
using DayTable = std::array<int, 14>;
constexpr DayTable kDaysBefore = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
constexpr DayTable kLeapDaysBefore = {0,   0,   31,  60,  91,  121, 152,
                                      182, 213, 244, 274, 305, 335, 366};
constexpr std::size_t kFirstMonthEntry = 2;

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

TavrinClock decodeTavrinClock(std::uint16_t timeWord, std::uint16_t dateWord) {
    TavrinClock clock;
    clock.year = (dateWord & kYearMask) + kYearBase;
    clock.hour = timeWord / kSecondsPerHour + ((dateWord & kAfternoonBit) ? kHoursPerHalfDay : 0);
    clock.minute = timeWord % kSecondsPerHour / kSecondsPerMinute;
    clock.second = timeWord % kSecondsPerMinute;

    const int dayOfYear = dateWord >> kDayShift;
    const DayTable& table = isLeapYear(clock.year) ? kLeapDaysBefore : kDaysBefore;
    std::size_t m = 0;
    while (m < table.size() && table[m] < dayOfYear)
        ++m;
    if (m == table.size())
        return clock;
    m = std::max(m, kFirstMonthEntry);
    clock.hasDate = true;
    clock.month = static_cast<int>(m) - 1;
    clock.day = dayOfYear - table[m - 1];
    return clock;
}

} // namespace halcyx
