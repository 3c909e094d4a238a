#pragma once

#include <cstdint>

namespace halcyx {

// A Tavrin keeps the time of a scan in two 16-bit words: T, the seconds since midnight or
// noon, and D, which packs the day of the year (bits 7-15), an afternoon flag (bit 6) and
// the years since 1997 (bits 0-5).
struct TavrinClock {
    int hour = 0; // 0..23 for a sound word; up to 30 for garbage
    int minute = 0;
    int second = 0;
    bool hasDate = false; // false when the day of the year lies beyond the year
    int month = 0;        // 1..12
    int day = 0;          // day of the month
    int year = 0;
};

TavrinClock decodeTavrinClock(std::uint16_t timeWord, std::uint16_t dateWord);

bool isLeapYear(int year);

} // namespace halcyx
