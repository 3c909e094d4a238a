#include "core/instrument/ConfigValidation.h"

#include <array>
#include <cstddef>

namespace halcyx {

namespace {

// Positions (0-based) in "hh:mm:ss", "mm-dd-yyyy" and "mm:ss".
constexpr std::array<std::size_t, 6> kTimeDigits = {0, 1, 3, 4, 6, 7};
constexpr std::array<std::size_t, 2> kTimeSeparators = {2, 5};
constexpr std::array<std::size_t, 8> kDateDigits = {0, 1, 3, 4, 6, 7, 8, 9};
constexpr std::array<std::size_t, 2> kDateSeparators = {2, 5};
constexpr std::array<std::size_t, 4> kAverageDigits = {0, 1, 3, 4};
constexpr std::size_t kAverageSeparator = 2;
constexpr std::size_t kHoursAt = 0;
constexpr std::size_t kMinutesAt = 3;
constexpr std::size_t kSecondsAt = 6;
constexpr std::size_t kAverageSecondsAt = kAverageSeparator + 1;

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;
// The shortest on time and interval time the instrument accepts [s].
constexpr int kMinimumTimeSeconds = 10;
// Digits read after the average's colon, well past what its field can hold [chars].
constexpr std::size_t kMaxAverageSecondsDigits = 6;

// A position past the end of the text holds the field's terminating NUL, never a digit.
char charAt(std::string_view text, std::size_t pos) {
    return pos < text.size() ? text[pos] : '\0';
}

bool isDigitAt(std::string_view text, std::size_t pos) {
    const char c = charAt(text, pos);
    return c >= '0' && c <= '9';
}

template <std::size_t N>
bool allDigits(std::string_view text, const std::array<std::size_t, N>& positions) {
    for (std::size_t pos : positions) {
        if (!isDigitAt(text, pos)) {
            return false;
        }
    }
    return true;
}

// One separator in either place is enough, so "12-34:56" passes as a time.
bool hasSeparator(std::string_view text, const std::array<std::size_t, 2>& positions, char sep) {
    return charAt(text, positions[0]) == sep || charAt(text, positions[1]) == sep;
}

bool isTimeText(std::string_view text) {
    return allDigits(text, kTimeDigits) && hasSeparator(text, kTimeSeparators, ':');
}

bool isDateText(std::string_view text) {
    return allDigits(text, kDateDigits) && hasSeparator(text, kDateSeparators, '-');
}

bool isAverageText(std::string_view text) {
    return allDigits(text, kAverageDigits) && charAt(text, kAverageSeparator) == ':';
}

int twoDigits(std::string_view text, std::size_t pos) {
    return (charAt(text, pos) - '0') * 10 + (charAt(text, pos + 1) - '0');
}

// Seconds of a text that passed isTimeText; no range check, so 99:99:99 counts in full.
int timeSeconds(std::string_view text) {
    return kSecondsPerHour * twoDigits(text, kHoursAt) +
           kSecondsPerMinute * twoDigits(text, kMinutesAt) + twoDigits(text, kSecondsAt);
}

// Seconds of a text that passed isAverageText: the minutes before the colon and every
// digit after it.
int averageSeconds(std::string_view text) {
    int seconds = 0;
    for (std::size_t pos = kAverageSecondsAt;
         pos < kAverageSecondsAt + kMaxAverageSecondsDigits && isDigitAt(text, pos); ++pos) {
        seconds = seconds * 10 + (text[pos] - '0');
    }
    return kSecondsPerMinute * twoDigits(text, 0) + seconds;
}

constexpr std::string_view kIntervalFormat = "Interval Time format error, (00:00:00)";
constexpr std::string_view kTimeCaption = "Time Error";

ValidationFailure failure(std::string_view message, std::string_view caption, ConfigField field) {
    return {std::string(message), std::string(caption), Icon::Stop, field};
}

// The Vexa dialog reports both fields in one box under one caption.
std::optional<ValidationFailure> checkVexaTimeFormats(const TimingEntries& e) {
    constexpr std::string_view kOnFormat = "On Time format error, (00:00:00)";
    const bool intervalOk = isTimeText(e.intervalTime);
    const bool onOk = isTimeText(e.onTime);
    if (!intervalOk && !onOk) {
        return failure(std::string(kIntervalFormat) + "\n" + std::string(kOnFormat), kTimeCaption,
                       ConfigField::IntervalTime);
    }
    if (!intervalOk) {
        return failure(kIntervalFormat, kTimeCaption, ConfigField::IntervalTime);
    }
    if (!onOk) {
        return failure(kOnFormat, kTimeCaption, ConfigField::OnTime);
    }
    return std::nullopt;
}

// The Tavrin dialogs report the first bad field under a caption naming it.
std::optional<ValidationFailure> checkTavrinTimeFormats(const TimingEntries& e) {
    if (!isTimeText(e.intervalTime)) {
        return failure(kIntervalFormat, "Interval Time Error", ConfigField::IntervalTime);
    }
    if (!isTimeText(e.onTime)) {
        return failure("ON Time format error, (00:00:00)", "ON Time Error", ConfigField::OnTime);
    }
    return std::nullopt;
}

} // namespace

bool needsDcQuestion(bool anyDcChannelOn, bool dcSetupOpened) {
    return anyDcChannelOn && !dcSetupOpened;
}

std::optional<ValidationFailure> validateTiming(ConfigFamily family, const TimingEntries& e) {
    auto formats =
        family == ConfigFamily::Vexa ? checkVexaTimeFormats(e) : checkTavrinTimeFormats(e);
    if (formats) {
        return formats;
    }
    if (!isTimeText(e.delayedTime)) {
        return failure("Delayed Time format error, (00:00:00)", "Delayed Time Error",
                       ConfigField::DelayedTime);
    }
    if (!isDateText(e.delayedDate)) {
        return failure("Delayed Date format error, (00-00-0000)", "Delayed Date Error",
                       ConfigField::DelayedDate);
    }

    const int onSeconds = timeSeconds(e.onTime);
    const int intervalSeconds = timeSeconds(e.intervalTime);
    if (onSeconds > intervalSeconds) {
        return failure("ON Time must be less than Interval Time!", kTimeCaption,
                       ConfigField::OnTime);
    }
    if (onSeconds < kMinimumTimeSeconds) {
        return failure("ON Time must be greater than 10 seconds!", kTimeCaption,
                       ConfigField::OnTime);
    }
    if (intervalSeconds < kMinimumTimeSeconds) {
        return failure("Interval Time must be greater than 10 seconds!", kTimeCaption,
                       ConfigField::IntervalTime);
    }

    if (e.averagingAvailable) {
        constexpr std::string_view kAverageCaption = "Average Time Error";
        if (!isAverageText(e.averageLength)) {
            return failure("Average Time format error, (00:00)", kAverageCaption,
                           ConfigField::AverageLength);
        }
        if (averageSeconds(e.averageLength) > onSeconds) {
            return failure("Average Time cannot be greater than Instrument On Time.",
                           kAverageCaption, ConfigField::AverageLength);
        }
    }
    return std::nullopt;
}

std::optional<ValidationFailure> confirmSave(ConfigFamily family, const TimingEntries& entries,
                                             Operator& op, VexaSaveState* vexa,
                                             const std::function<void()>& openDcSetup) {
    if (family == ConfigFamily::Vexa && vexa &&
        needsDcQuestion(vexa->anyDcChannelOn, vexa->dcSetupOpened) &&
        op.askYesNo(std::string(kDcQuestion), std::string(kDcQuestionCaption), Icon::Question)) {
        vexa->dcSetupOpened = true;
        if (openDcSetup) {
            openDcSetup();
        }
    }
    auto result = validateTiming(family, entries);
    if (result) {
        op.message(result->message, result->caption, result->icon);
    }
    return result;
}

} // namespace halcyx
