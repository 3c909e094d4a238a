#pragma once

#include "core/base/Product.h"
#include "core/instrument/ConfigRecords.h"

#include <span>
#include <string_view>

namespace halcyx {

// The fields that reading and writing treat alike in every model's record.
// Timing, output and averaging fields are kept the same in all three records whatever
// model is attached; the channel flags belong to the attached model's record only.

// The attached model's channel flags (empty for an unidentified instrument).
std::span<std::uint16_t> primaryFlags(InstrumentSettings& settings, ProductCode product);
// The attached model's DC channel flags, as many as the model has.
std::span<std::uint16_t> dcFlags(InstrumentSettings& settings, ProductCode product);

// One timing or text field, reached in all three records.
struct SharedText {
    SettingText VexaConfigData::*vexa;
    SettingText TavrinConfigData::*tavrin;
};
inline constexpr SharedText kIntervalTime{&VexaConfigData::intervalTime,
                                          &TavrinConfigData::intervalTime};
inline constexpr SharedText kOnTime{&VexaConfigData::onTime, &TavrinConfigData::onTime};
inline constexpr SharedText kDelayedDate{&VexaConfigData::delayedDate,
                                         &TavrinConfigData::delayedDate};
inline constexpr SharedText kDelayedTime{&VexaConfigData::delayedTime,
                                         &TavrinConfigData::delayedTime};

// One flag, reached in all three records.
struct SharedFlag {
    std::uint16_t VexaConfigData::*vexa;
    std::uint16_t TavrinConfigData::*tavrin;
};
inline constexpr SharedFlag kScaledOutput{&VexaConfigData::scaledOutput,
                                          &TavrinConfigData::scaledOutput};
inline constexpr SharedFlag kContinuousOutput{&VexaConfigData::continuousOutput,
                                              &TavrinConfigData::continuousOutput};

void setInAll(InstrumentSettings& settings, SharedText field, std::string_view value);
void setInAll(InstrumentSettings& settings, SharedFlag field, bool value);
void setAverageInAll(InstrumentSettings& settings, std::string_view value);

// The value the attached model's record holds (the Vexa record for an unknown model).
std::string_view textOf(const InstrumentSettings& settings, ProductCode product, SharedText field);
bool flagOf(const InstrumentSettings& settings, ProductCode product, SharedFlag field);
std::string_view averageOf(const InstrumentSettings& settings, ProductCode product);

} // namespace halcyx
