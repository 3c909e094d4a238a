#pragma once

#include <cstdint>

namespace halcyx {

// Sets a baud rate [bit/s] that has no termios speed constant (14400) through the Linux
// termios2 interface, leaving every other line setting as it is. Returns 0 or the errno.
// Kept apart because the kernel's termios2 header clashes with <termios.h>.
int setCustomBaud(int fd, std::uint32_t baud);

} // namespace halcyx
