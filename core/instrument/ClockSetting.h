#pragma once

#include <ctime>
#include <string>

namespace halcyx {

class CommPort;
class Operator;

// Setting the instrument's clock from the configuration dialogs' "Set Time": the operator
// is offered the computer's local time and may change it; the instrument is then told the
// time and date through its interactive TIME and DATE commands. Nothing it answers is
// read, so a silent instrument goes unnoticed.

// The clock texts as the instrument takes them.
struct ClockTexts {
    std::string time; // hh:mm:ss
    std::string date; // mm-dd-yyyy
};

// The texts of a broken-down local time.
ClockTexts clockTexts(const std::tm& local);
// The texts of the computer's local time now.
ClockTexts localClockTexts();

// Writes "TIME\r", the time, "DATE\r" and the date, each followed by its pause, then
// empties the receive side; the wait cursor shows meanwhile. False when a write failed
// (the port has told the operator); the remaining writes are then skipped.
bool setInstrumentClock(CommPort& port, Operator& op, const ClockTexts& texts);

} // namespace halcyx
