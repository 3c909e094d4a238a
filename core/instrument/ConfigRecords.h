#pragma once

#include "core/base/ChannelMask.h"
#include "core/base/FixedText.h"
#include "core/base/ModelTraits.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace halcyx {

// The per-model settings records. They are what the configuration dialogs edit, what is
// read from and written to the instrument and what configuration files keep. Flags are
// 16-bit values, 1 = on; texts are fixed-width fields.

inline constexpr std::size_t kSettingTextWidth = 15;
using SettingText = FixedText<kSettingTextWidth>;

// Timing texts the records hold before anything was read or loaded.
inline constexpr std::string_view kDefaultIntervalTime = "00:01:00";  // hh:mm:ss
inline constexpr std::string_view kDefaultOnTime = "00:00:30";        // hh:mm:ss
inline constexpr std::string_view kDefaultDelayedDate = "01-01-1999"; // mm-dd-yyyy
inline constexpr std::string_view kDefaultDelayedTime = "08:00:00";   // hh:mm:ss

// Vexa 2 and Vexa 3. Primary channels in order: Conductivity, Temperature, Pressure,
// Time, Salinity, Sound Velocity.
struct VexaConfigData {
    std::array<std::uint16_t, kMaxPrimaryChannels> channel{};
    std::array<std::uint16_t, kMaxDcChannels> dcChannel{};
    SettingText instrumentTime; // hh:mm:ss, read-only in the dialog
    SettingText instrumentDate; // mm-dd-yyyy, read-only in the dialog
    SettingText intervalTime{kDefaultIntervalTime};
    SettingText onTime{kDefaultOnTime};
    SettingText delayedDate{kDefaultDelayedDate};
    SettingText delayedTime{kDefaultDelayedTime};
    std::array<std::uint16_t, kSamplingRateCount> samplingRate{}; // one flag per rate
    std::uint16_t continuousOutput = 0;                           // sends data on power-up
    std::uint16_t scaledOutput = 0;                               // output in counts 0..64K
    FixedText<7> averageLength;                                   // mm:ss
};

// The common layout of the Tavrin family. Channels in order: Conductivity, Temperature,
// Time (Tavrin CT) or Pressure, Time, Barometer (Tavrin P).
struct TavrinConfigData {
    static constexpr int kChannels = modelTraits(ProductCode::TavrinCT).primaryChannels;
    std::array<std::uint16_t, kChannels> channel{};
    SettingText intervalTime; // hh:mm:ss
    SettingText onTime;       // hh:mm:ss
    SettingText delayedDate;  // mm-dd-yyyy
    SettingText delayedTime;  // hh:mm:ss
    SettingText instrumentTime;
    SettingText instrumentDate;
    std::uint16_t continuousOutput = 0;
    std::uint16_t scaledOutput = 0;
    FixedText<6> averageTime; // mm:ss
};

// Tavrin CT; it starts with the same timing defaults as the Vexa.
struct CTConfigData : TavrinConfigData {
    CTConfigData() {
        intervalTime = kDefaultIntervalTime;
        onTime = kDefaultOnTime;
        delayedDate = kDefaultDelayedDate;
        delayedTime = kDefaultDelayedTime;
    }
};

// Tavrin P; it starts empty.
struct PConfigData : TavrinConfigData {};

// Everything the configuration window knows of the attached instrument's settings.
struct InstrumentSettings {
    VexaConfigData vexa;
    CTConfigData ct;
    PConfigData p;
    ChannelMask channelMask = 0;
    std::int32_t samplingRateIndex = 0; // 0..4, see kVexaSamplingRates
    // The instrument's clock as last read, hh:mm:ss and mm-dd-yyyy.
    SettingText instrumentTime;
    SettingText instrumentDate;
};

} // namespace halcyx
