#pragma once

#include <cstdint>

namespace halcyx {

class CommPort;
class Operator;

// The exchanges that start and stop the instrument's scan stream around a cast. The
// instrument is in run mode when acquisition begins; "SC" starts its stream and 'S' stops it.
namespace cast_commands {

// The pause after each character of a command [ms].
inline constexpr std::uint32_t kCharPauseMs = 20;
// The pause after each 'S' of the stop sequence, and after its closing return [ms].
inline constexpr std::uint32_t kStopPauseMs = 100;
inline constexpr std::uint32_t kStopSettleMs = 400;
// StopCtdData: attempts, the pause after 'S' and after the return [ms], the answer read.
inline constexpr int kStopAttempts = 100;
inline constexpr std::uint32_t kStopAttemptPauseMs = 500;
inline constexpr std::size_t kModeAnswerBytes = 200;

} // namespace cast_commands

// Cast start: waits the response delay [ms], discards what the port holds, sends "SC\r"
// slowly and waits three response delays for the stream to begin.
void StartCtdData(CommPort& port, std::uint32_t responseDelayMs);

// Cast end: 'S' twice and a return, with their pauses, then discards what the port holds.
void EndCtdData(CommPort& port);

// Stops the stream so that another command can be heard (the water sampler): 'S' and a
// return, then "MODE" until the instrument answers "RUN MODE", at most kStopAttempts times.
// False, after "Error stopping CTD data!", when it never did.
[[nodiscard]] bool StopCtdData(CommPort& port, Operator& op, std::uint32_t responseDelayMs);

} // namespace halcyx
