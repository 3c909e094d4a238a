#pragma once

#include "core/base/ChannelMask.h"
#include "core/base/Product.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace halcyx {

// Which of the three scan line layouts an instrument sends.
enum class ScanLayout {
    Vexa,     // Vexa 2 and Vexa 3: the fields the channel mask selects, in bit order
    TavrinCT, // conductivity, temperature, optionally time
    TavrinP,  // pressure, optionally time, optionally barometer
};

// Number of sampling-rate choices of the Vexa family, and their rates [scans/s] in the
// order of the instrument's ST=0 to ST=4.
inline constexpr int kSamplingRateCount = 5;
inline constexpr std::array<double, kSamplingRateCount> kVexaSamplingRates = {1.83, 2.58, 3.03,
                                                                              4.08, 4.50};

// How the line cutter synchronises on and cuts a model's scan lines [bytes].
struct LineMargins {
    int syncFill;  // bytes queued before synchronising starts
    int cutMargin; // a line is cut only while more than L + cutMargin are queued
    int minLength; // a shorter line is dropped and ends the tick (0: no minimum)
};

// Picture resources of the configuration window.
inline constexpr int kNoPicture = 0;
inline constexpr int kVexaPicture = 6005;
inline constexpr int kTavrinPicture = 6006;

// Everything the program knows of a model that is a plain fact rather than a different way
// of doing something. Where the models behave differently (command sequences, dialogs),
// the code still branches on the product code.
struct ModelTraits {
    ProductCode code = ProductCode::None;
    std::string_view model{};                // "Vexa 2" ... "Tavrin P"; "NONE" when unidentified
    std::optional<ScanLayout> layout{};      // nullopt: sends no scans we know
    int primaryChannels = 0;                 // CH1.. channels the model has
    int dcChannels = 0;                      // DC1.. channels the model has
    std::span<const double> samplingRates{}; // the rate choices [scans/s]; empty: no choice
    int dataTickMs = 0;                      // period of the acquisition data tick [ms]
    LineMargins cutter{};
    // The firmware version beyond which the model averages (compared in single
    // precision, so a text equal to it does not pass); nullopt: it never averages.
    std::optional<float> averagingAbove{};
    int versionOffset = 0;    // the version number starts at this character of the firmware text
    int picture = kNoPicture; // the configuration window's picture resource
    // Why towed acquisition is refused; null where it is available.
    const char* towedRefusal = nullptr;
};

// Periods of the acquisition data tick [ms]: the Tavrin models send slowly.
inline constexpr int kVexaTickMs = 250;
inline constexpr int kTavrinTickMs = 1500;
inline constexpr LineMargins kVexaMargins{.syncFill = 250, .cutMargin = 50, .minLength = 10};

// One row per product code; the first row stands for an unidentified instrument and is
// all zeros and empties, so a lookup never fails.
inline constexpr std::array<ModelTraits, 5> kModelTraits = {{
    {.code = ProductCode::None, .model = "NONE"},
    {.code = ProductCode::Vexa2,
     .model = "Vexa 2",
     .layout = ScanLayout::Vexa,
     .primaryChannels = kMaxPrimaryChannels,
     .dcChannels = 6,
     .samplingRates = kVexaSamplingRates,
     .dataTickMs = kVexaTickMs,
     .cutter = kVexaMargins,
     .picture = kVexaPicture},
    {.code = ProductCode::Vexa3,
     .model = "Vexa 3",
     .layout = ScanLayout::Vexa,
     .primaryChannels = kMaxPrimaryChannels,
     .dcChannels = kMaxDcChannels,
     .samplingRates = kVexaSamplingRates,
     .dataTickMs = kVexaTickMs,
     .cutter = kVexaMargins,
     .averagingAbove = 1.9F,
     .picture = kVexaPicture},
    {.code = ProductCode::TavrinCT,
     .model = "Tavrin CT",
     .layout = ScanLayout::TavrinCT,
     .primaryChannels = 3,
     .dataTickMs = kTavrinTickMs,
     .cutter = {.syncFill = 250, .cutMargin = 20, .minLength = 0},
     .averagingAbove = 1.5F,
     .versionOffset = 1,
     .picture = kTavrinPicture,
     .towedRefusal = "Towed Acquisition is NOT available with CT instruments (NO PRESSURE)!"},
    {.code = ProductCode::TavrinP,
     .model = "Tavrin P",
     .layout = ScanLayout::TavrinP,
     .primaryChannels = 3,
     .dataTickMs = kTavrinTickMs,
     .cutter = {.syncFill = 20, .cutMargin = 10, .minLength = 0},
     .averagingAbove = 1.3F,
     .versionOffset = 1,
     .towedRefusal = "Towed Acquisition is NOT available with Tavrin Pressure instruments!"},
}};

// The row of a product code; the all-zero None row for None.
constexpr const ModelTraits& modelTraits(ProductCode code) {
    for (const ModelTraits& row : kModelTraits)
        if (row.code == code)
            return row;
    return kModelTraits.front();
}

// The row of the first model that sends a layout: the layout's tick period and cutter
// margins are the same for every model that sends it.
constexpr const ModelTraits& modelTraits(ScanLayout layout) {
    for (const ModelTraits& row : kModelTraits)
        if (row.layout == layout)
            return row;
    return kModelTraits.front();
}

} // namespace halcyx
