#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

class AcqSession;
class Operator;

// What the sampler's answer to "FIRE" says. The answer is free text: the three failure words
// are looked for in this order, anything else counts as fired, but a line on which nothing
// at all came back (not even the instrument's echo) did not fire anything.
enum class FireAnswer { Fired, NoConfirmation, LowVoltage, AlreadyFired, Silent };
FireAnswer readFireAnswer(std::string_view answer);

// Whether the answer to "RHPS" confirms the reset: "TEST OK" in any letter case.
bool isResetConfirmed(std::string_view answer);

// The water sampler behind a Vexa, commanded through the acquisition window's data port:
// the stream of a logged cast is stopped, the command sent, its answer read and reported,
// the bottle recorded in the cast's bottle file with the scan number and the current
// conductivity, temperature and pressure, and the stream restarted. Outside a cast the
// commands still talk to the sampler and keep the status and the bottle number.
class WaterSampler {
public:
    // The most of an answer that is read [bytes], and the wait before reading it [ms].
    static constexpr std::size_t kAnswerBytes = 40;
    static constexpr std::uint32_t kAnswerWaitMs = 400;
    // The pause after each character sent [ms].
    static constexpr std::uint32_t kCharPauseMs = 20;

    // "Home": asks first, resets the sampler and starts the bottles at 1 again. True when
    // the data timer must run again: a cast is logged and its stream runs.
    bool home(AcqSession& session, Operator& op);
    // "Fire": fires the next bottle and counts it, whatever came of it. True as for home.
    bool fire(AcqSession& session, Operator& op);

    // The number the next bottle gets.
    int bottleNumber() const { return bottleNumber_; }
    // The last result, "" before the first.
    const std::string& status() const { return status_; }

private:
    // Stops a logged cast's stream, sends the command and takes the answer, NUL bytes
    // shown as blanks. Nullopt when the stream would not stop (reported).
    std::optional<std::string> exchange(AcqSession& session, std::string_view command);
    // Restarts a logged cast's stream after an exchange; true when one is logged.
    bool restartData(AcqSession& session);

    int bottleNumber_ = 1;
    std::string status_;
};

} // namespace halcyx
