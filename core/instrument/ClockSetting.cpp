#include "core/instrument/ClockSetting.h"

#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <cstdint>
#include <cstdio>

namespace halcyx {

namespace {

// The instrument echoes every character; it keeps up at this pace [ms per character].
constexpr std::uint32_t kClockCharPauseMs = 20;
// Time for the instrument to prompt for, or take, the next entry [ms].
constexpr std::uint32_t kClockStepPauseMs = 300;
// Time for the instrument to set its clock after the date [ms].
constexpr std::uint32_t kClockSettlePauseMs = 1000;
constexpr int kFirstYear = 1900; // std::tm counts years from here
constexpr std::size_t kClockTextSize = 32;

} // namespace

ClockTexts clockTexts(const std::tm& local) {
    char time[kClockTextSize];
    char date[kClockTextSize];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    std::snprintf(date, sizeof date, "%02d-%02d-%04d", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + kFirstYear);
    return {time, date};
}

ClockTexts localClockTexts() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return clockTexts(local);
}

bool setInstrumentClock(CommPort& port, Operator& op, const ClockTexts& texts) {
    const WaitCursor wait(op);
    struct Step {
        std::string text;
        std::uint32_t pauseMs;
    };
    const Step steps[] = {
        {"TIME\r", kClockStepPauseMs},
        {texts.time + "\r", kClockStepPauseMs},
        {"DATE\r", kClockStepPauseMs},
        {texts.date + "\r", kClockSettlePauseMs},
    };
    for (const Step& step : steps) {
        if (!port.WriteSlow(step.text, kClockCharPauseMs)) {
            return false;
        }
        port.Sleep(step.pauseMs);
    }
    port.Purge(PurgeWhat::Receive);
    return true;
}

} // namespace halcyx
