#pragma once

#include <cstdint>

namespace halcyx {

// The pauses of the command layer. The instrument echoes every character and needs time
// between characters and before it has answered; slow lines need longer pauses.
struct CommandDelays {
    std::uint32_t characterMs = 20; // [ms] after each character written
    std::uint32_t responseMs = 300; // [ms] before an answer is read

    friend bool operator==(const CommandDelays&, const CommandDelays&) = default;
};

// The pauses for a port opened from the settings file at this baud rate [bit/s].
CommandDelays delaysAtOpen(std::uint32_t baud);

// The pauses after the operator picked this baud rate [bit/s] in the setup dialog:
// rates without a rule of their own keep the pauses they had.
CommandDelays delaysAfterSetup(std::uint32_t baud, CommandDelays current);

} // namespace halcyx
