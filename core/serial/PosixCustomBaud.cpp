// Only these two headers: <asm/termbits.h> redefines what <termios.h> declares.
#include "core/serial/PosixCustomBaud.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace halcyx {

namespace {
// The rate may be off by at most 1/50 (2 %).
constexpr std::uint32_t kRateToleranceDivisor = 50;
} // namespace

int setCustomBaud(int fd, std::uint32_t baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    // Input speed bits cleared: the input runs at the output rate.
    tio.c_cflag &= ~(CBAUD | CIBAUD);
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
    if (ioctl(fd, TCSETS2, &tio) != 0)
        return errno;
    // A driver that cannot divide its clock down to the rate settles on another one;
    // a serial line tolerates only a small mismatch.
    struct termios2 applied {};
    if (ioctl(fd, TCGETS2, &applied) != 0)
        return errno;
    const std::uint32_t got = applied.c_ospeed;
    const std::uint32_t diff = got > baud ? got - baud : baud - got;
    if (diff * kRateToleranceDivisor > baud)
        return EINVAL;
    return 0;
}

} // namespace halcyx
