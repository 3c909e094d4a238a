#include "sim/MemoryDump.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <ctime>

namespace halcyx::sim::memory_dump {

namespace {

constexpr int kTavrinYearBase = 1997;
constexpr std::uint16_t kTavrinYearMask = 0x3F;
constexpr std::uint16_t kTavrinAfternoonBit = 0x40;
constexpr int kTavrinDayShift = 7;
constexpr int kSecondsPerHalfDay = 12 * 3600;

std::uint16_t counts(double value) {
    return static_cast<std::uint16_t>(std::clamp(std::lround(value), 1L, 65535L));
}

void putWord(std::string& out, std::uint16_t word) {
    out += static_cast<char>(word >> 8);
    out += static_cast<char>(word & 0xFF);
}

void putFloat(std::string& out, double value) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((bits >> shift) & 0xFF);
    }
}

std::tm brokenDown(std::int64_t epochSeconds) {
    const auto t = static_cast<std::time_t>(epochSeconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    return parts;
}

} // namespace

std::uint16_t scaledConductivity(double conductivity) {
    return counts((conductivity + 2.0) / 0.001);
}
std::uint16_t scaledTemperature(double temperature) {
    return counts((temperature + 2.0) / 0.0005);
}
std::uint16_t scaledPressure(double pressure, int divisor) {
    return counts((pressure + 5.0) * divisor);
}
std::uint16_t scaledSalinity(double salinity) {
    return counts((salinity + 2.0) / 0.001);
}
std::uint16_t scaledSoundVelocity(double soundVelocity) {
    return counts((soundVelocity - 1450.0) * 600.0);
}

int pressureDivisor(int transducerRange) {
    if (transducerRange < 400) {
        return 300;
    }
    if (transducerRange < 1500) {
        return 60;
    }
    if (transducerRange < 2500) {
        return 30;
    }
    if (transducerRange < 3500) {
        return 20;
    }
    return 10;
}

std::string vexaScaledRecord(const Sample& s, const VexaChannels& on, int divisor) {
    std::string out;
    if (on.channels[0]) {
        putWord(out, scaledConductivity(s.conductivity));
    }
    if (on.channels[1]) {
        putWord(out, scaledTemperature(s.temperature));
    }
    if (on.channels[2]) {
        putWord(out, scaledPressure(s.pressure, divisor));
    }
    if (on.channels[3]) {
        const auto seconds = static_cast<std::uint32_t>(s.clockS);
        putWord(out, static_cast<std::uint16_t>(seconds >> 16));
        putWord(out, static_cast<std::uint16_t>(seconds & 0xFFFF));
    }
    if (on.channels[4]) {
        putWord(out, scaledSalinity(s.salinity));
    }
    if (on.channels[5]) {
        putWord(out, scaledSoundVelocity(s.soundVelocity));
    }
    for (std::size_t k = 0; k < on.dc.size(); ++k) {
        if (on.dc[k]) {
            putWord(out, s.dc[k]);
        }
    }
    return out;
}

std::string vexaFloatRecord(const Sample& s, const VexaChannels& on) {
    std::string out;
    if (on.channels[0]) {
        putFloat(out, s.conductivity);
    }
    if (on.channels[1]) {
        putFloat(out, s.temperature);
    }
    if (on.channels[2]) {
        putFloat(out, s.pressure);
    }
    if (on.channels[3]) {
        const std::tm t = brokenDown(s.clockS);
        const int year = t.tm_year + 1900;
        for (const int part :
             {t.tm_hour, t.tm_min, t.tm_sec, t.tm_mon + 1, t.tm_mday, year / 100, year % 100}) {
            out += static_cast<char>(part);
        }
    }
    if (on.channels[4]) {
        putFloat(out, s.salinity);
    }
    if (on.channels[5]) {
        putFloat(out, s.soundVelocity);
    }
    for (std::size_t k = 0; k < on.dc.size(); ++k) {
        if (on.dc[k]) {
            putWord(out, s.dc[k]);
        }
    }
    return out;
}

TavrinClockWords tavrinClockWords(std::int64_t epochSeconds) {
    const std::tm t = brokenDown(epochSeconds);
    const int secondsOfDay = t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec;
    const bool afternoon = secondsOfDay >= kSecondsPerHalfDay;
    const int dayOfYear = t.tm_yday + 1;
    TavrinClockWords words{};
    words.time = static_cast<std::uint16_t>(secondsOfDay % kSecondsPerHalfDay);
    words.date = static_cast<std::uint16_t>(
        (dayOfYear << kTavrinDayShift) | (afternoon ? kTavrinAfternoonBit : 0) |
        ((t.tm_year + 1900 - kTavrinYearBase) & kTavrinYearMask));
    return words;
}

std::string tavrinCtRecord(const Sample& s, bool withTime) {
    std::string out;
    putWord(out, scaledConductivity(s.conductivity));
    putWord(out, scaledTemperature(s.temperature));
    if (withTime) {
        const TavrinClockWords words = tavrinClockWords(s.clockS);
        putWord(out, words.time);
        putWord(out, words.date);
    }
    return out;
}

std::string tavrinPRecord(const Sample& s, bool withTime, bool withBarometer) {
    std::string out;
    putWord(out, counts((s.pressure + 10.0) * 700.0));
    if (withTime) {
        const TavrinClockWords words = tavrinClockWords(s.clockS);
        putWord(out, words.time);
        putWord(out, words.date);
    }
    if (withBarometer) {
        putWord(out, counts((s.barometer - 500.0) / 0.01));
    }
    return out;
}

} // namespace halcyx::sim::memory_dump
