#include "core/serial/PosixSerialDevice.h"

#include "core/serial/PosixCustomBaud.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace halcyx {

namespace {

// XON and XOFF characters of software flow control.
constexpr cc_t kXonChar = 0x02;
constexpr cc_t kXoffChar = 0x03;

struct SpeedEntry {
    std::uint32_t baud;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {110, B110},     {300, B300},     {600, B600},       {1200, B1200},
    {2400, B2400},   {4800, B4800},   {9600, B9600},     {19200, B19200},
    {38400, B38400}, {57600, B57600}, {115200, B115200},
};

// The termios constant for a rate, or 0 when there is none (14400).
speed_t speedFor(std::uint32_t baud) {
    for (const SpeedEntry& entry : kSpeeds)
        if (entry.baud == baud)
            return entry.speed;
    return 0;
}

} // namespace

PosixSerialDevice::~PosixSerialDevice() {
    close();
}

bool PosixSerialDevice::fail(int code) {
    lastError_ = code;
    return false;
}

long PosixSerialDevice::failCount(int code) {
    lastError_ = code;
    return -1;
}

bool PosixSerialDevice::open(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    int code = 0;
    if (ioctl(fd, TIOCEXCL) != 0)
        code = errno;
    else if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        code = errno == EWOULDBLOCK ? EBUSY : errno;
    if (code != 0) {
        ::close(fd);
        return fail(code);
    }
    fd_ = fd;
    flow_ = FlowControl::None;
    // Raw at once: a tty left cooked would echo the instrument's bytes back to it and
    // turn carriage returns into line feeds before the first setLine.
    if (!applyTermios(0)) {
        const int saved = lastError_;
        close();
        return fail(saved);
    }
    return true;
}

bool PosixSerialDevice::applyTermios(std::uint32_t baud) {
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0)
        return fail(errno);
    cfmakeraw(&tio);
    tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (flow_ == FlowControl::Hardware)
        tio.c_cflag |= CRTSCTS;
    if (flow_ == FlowControl::XonXoff) {
        tio.c_iflag |= IXON | IXOFF;
        tio.c_cc[VSTART] = kXonChar;
        tio.c_cc[VSTOP] = kXoffChar;
    }
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t speed = speedFor(baud);
    if (speed != 0 && cfsetspeed(&tio, speed) != 0)
        return fail(errno);
    if (tcsetattr(fd_, TCSANOW, &tio) != 0)
        return fail(errno);
    if (baud != 0 && speed == 0) {
        const int code = setCustomBaud(fd_, baud);
        if (code != 0)
            return fail(code);
    }
    return true;
}

bool PosixSerialDevice::setLine(std::uint32_t baud) {
    if (fd_ < 0)
        return fail(EBADF);
    if (baud == 0)
        return fail(EINVAL);
    return applyTermios(baud);
}

bool PosixSerialDevice::setFlowControl(FlowControl flow) {
    flow_ = flow;
    return true;
}

long PosixSerialDevice::read(std::span<std::uint8_t> buf) {
    if (fd_ < 0)
        return failCount(EBADF);
    if (buf.empty())
        return 0;
    // With VMIN and VTIME at 0 a tty answers an empty read with 0, and so does one that
    // was hung up; poll tells the two apart.
    pollfd pfd{fd_, POLLIN, 0};
    if (poll(&pfd, 1, 0) < 0)
        return failCount(errno);
    if (pfd.revents & POLLNVAL)
        return failCount(EBADF);
    const ssize_t n = ::read(fd_, buf.data(), buf.size());
    if (n > 0)
        return n;
    if (n < 0 && errno != EAGAIN && errno != EINTR)
        return failCount(errno);
    if (pfd.revents & (POLLHUP | POLLERR))
        return failCount(EIO);
    return 0;
}

long PosixSerialDevice::write(std::span<const std::uint8_t> data) {
    if (fd_ < 0)
        return failCount(EBADF);
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd_, data.data() + done, data.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return failCount(errno);
        // The driver's output queue is full: wait, but not for ever.
        pollfd pfd{fd_, POLLOUT, 0};
        const int ready = poll(&pfd, 1, kWriteStallLimitMs);
        if (ready < 0 && errno != EINTR)
            return failCount(errno);
        if (ready == 0)
            return failCount(ETIMEDOUT);
        if (pfd.revents & (POLLHUP | POLLERR | POLLNVAL))
            return failCount(EIO);
    }
    return static_cast<long>(done);
}

bool PosixSerialDevice::purge(PurgeWhat what) {
    if (fd_ < 0)
        return fail(EBADF);
    int queue = TCIOFLUSH;
    if (what == PurgeWhat::Receive)
        queue = TCIFLUSH;
    else if (what == PurgeWhat::Transmit)
        queue = TCOFLUSH;
    if (tcflush(fd_, queue) != 0)
        return fail(errno);
    return true;
}

bool PosixSerialDevice::close() {
    if (fd_ < 0)
        return true;
    const int fd = fd_;
    fd_ = -1;
    // Closing the descriptor releases the flock as well.
    if (::close(fd) != 0)
        return fail(errno);
    return true;
}

std::string PosixSerialDevice::lastErrorText() const {
    std::string text = std::strerror(lastError_);
    switch (lastError_) {
    case EACCES:
    case EPERM:
        text += ". You are probably not in the dialout group: sudo adduser $USER dialout, "
                "then log in again.";
        break;
    case EBUSY:
        text += ". Another program is using this port.";
        break;
    case ENOENT:
        text += ". There is no such serial device; check which device the port is set to.";
        break;
    case EIO:
    case ENXIO:
    case ENODEV:
        text += ". The serial device has gone; check that the adapter is plugged in.";
        break;
    case ETIMEDOUT:
        text += ". The line accepted no more bytes; check the cable and the instrument.";
        break;
    default:
        break;
    }
    return text;
}

} // namespace halcyx
