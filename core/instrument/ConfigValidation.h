#pragma once

#include "core/prompt/Operator.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// The checks the configuration dialogs run when the operator presses "Save", as plain
// functions over the texts of the edit fields, so that they hold whatever the record
// layout and the window toolkit. The first failing check is reported and the dialog
// stays open with the operator's entries untouched.

// Which dialog validates: the Vexa dialog, or the Tavrin CT and Tavrin P dialogs, which
// report interval and on time format errors with captions of their own.
enum class ConfigFamily { Vexa, Tavrin };

// The edit field a failed check sends the operator back to.
enum class ConfigField { IntervalTime, OnTime, DelayedDate, DelayedTime, AverageLength };

// The timing entries of a configuration dialog as typed.
struct TimingEntries {
    std::string_view intervalTime;  // hh:mm:ss
    std::string_view onTime;        // hh:mm:ss
    std::string_view delayedDate;   // mm-dd-yyyy
    std::string_view delayedTime;   // hh:mm:ss
    std::string_view averageLength; // mm:ss; looked at only when averaging is available
    bool averagingAvailable = false;
};

// A failed check: the stop-icon message to show and the field to focus.
struct ValidationFailure {
    std::string message;
    std::string caption;
    Icon icon = Icon::Stop;
    ConfigField field = ConfigField::IntervalTime;

    friend bool operator==(const ValidationFailure&, const ValidationFailure&) = default;
};

// The question the Vexa dialog asks before its checks while a DC channel is on and the
// DC channel dialog was not opened from it yet.
inline constexpr std::string_view kDcQuestion = "Do you want to Configure the DC Channels?";
inline constexpr std::string_view kDcQuestionCaption = "DC Channels";

// Whether the Vexa dialog asks the DC question on this press of "Save". An answer of No
// does not count as having opened the DC channel dialog, so the next press asks again.
bool needsDcQuestion(bool anyDcChannelOn, bool dcSetupOpened);

// Checks the timing entries in the dialog's order: interval and on time format, delayed
// time format, delayed date format, the on time against the interval time and the
// 10 second minimum, then the average length. nullopt when every check passes.
std::optional<ValidationFailure> validateTiming(ConfigFamily family, const TimingEntries& entries);

// What the Vexa dialog's "Save" needs beyond the timing entries.
struct VexaSaveState {
    bool anyDcChannelOn = false;
    bool dcSetupOpened = false; // set here when the DC channel dialog is opened
};

// Runs a whole "Save" press of a configuration dialog through the operator: for the Vexa
// family (vexa given) first the DC question, opening the DC channel dialog through
// openDcSetup on Yes; then the checks, showing the first failure. Returns that failure
// (the dialog then focuses its field and stays open), or nullopt when the dialog may
// close with "Save".
std::optional<ValidationFailure> confirmSave(ConfigFamily family, const TimingEntries& entries,
                                             Operator& op, VexaSaveState* vexa = nullptr,
                                             const std::function<void()>& openDcSetup = {});

} // namespace halcyx
