#pragma once

#include <array>
#include <string>
#include <string_view>

namespace halcyx::sim {

// Who an instrument says it is.
struct Identity {
    std::string serialNumber;    // "S/N"
    std::string firmware;        // "VER"
    std::string calibrationDate; // "CDATE"
    int address = 1;             // "ADR", and the address of "#Mn"/"#Kn"
};

// The settings an instrument keeps. Times are texts as the instrument shows them; an empty
// text means "not set".
struct InstrumentSettings {
    std::array<bool, 6> channels{true, true, true, false, true, true}; // CH1..CH6
    std::array<bool, 8> dcChannels{};                                  // DC1..DC8
    std::string intervalTime = "00:01:00";                             // hh:mm:ss
    std::string onTime = "00:00:30";                                   // hh:mm:ss
    std::string delayedDate = "01-01-1999";                            // mm-dd-yyyy
    std::string delayedTime = "08:00:00";                              // hh:mm:ss
    int tau = 4; // sampling-rate index 0..4 (Vexa)
    bool scaledOutput = false;
    bool continuousOnPowerUp = false;
    std::string averageLength = "00:10"; // mm:ss

    bool operator==(const InstrumentSettings&) const = default;
};

// "hh:mm:ss" with hours below 24 and minutes and seconds below 60.
bool isClockText(std::string_view text);
// "mm-dd-yyyy" with a month 1..12 and a day 1..31.
bool isDateText(std::string_view text);
// "mm:ss" with seconds below 60.
bool isMinutesText(std::string_view text);
// Seconds [s] of a valid "hh:mm:ss" text.
long clockTextSeconds(std::string_view text);

// The instrument clock's texts for a time [s since 1970-01-01 00:00:00].
std::string clockText(long long epochSeconds); // "hh:mm:ss"
std::string dateText(long long epochSeconds);  // "mm-dd-yyyy"

} // namespace halcyx::sim
