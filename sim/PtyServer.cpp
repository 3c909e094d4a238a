#include "sim/PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace halcyx::sim {

namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr std::size_t kTransmitBytes = 65536;
constexpr int kMaxPollMs = 20;
constexpr std::uint8_t kNoiseFloor = 0x80;
// The rate a terminal starts at, until the program sets its own.
constexpr speed_t kInitialSpeed = B9600;
constexpr std::uint32_t kInitialBaud = 9600;

std::runtime_error systemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

std::uint32_t baudOf(speed_t speed) {
    static constexpr std::pair<speed_t, std::uint32_t> kRates[] = {
        {B110, 110},     {B300, 300},     {B600, 600},      {B1200, 1200},
        {B2400, 2400},   {B4800, 4800},   {B9600, 9600},    {B19200, 19200},
        {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    for (const auto& [code, rate] : kRates) {
        if (code == speed) {
            return rate;
        }
    }
    return 0;
}

} // namespace

// One pseudo-terminal: the master we talk through, and a slave we keep open ourselves so
// that the line stays up (no hang-up, settings kept) while no program has it open.
struct PtyServer::Port {
    std::string name;
    LinePeer* peer = nullptr;
    LineFaults faults;
    int master = -1;
    int slave = -1;
    SerialLine out{kInitialBaud, kTransmitBytes};
    TrafficLog traffic;
    std::mt19937 noise{0x5eed};
    unsigned long sent = 0;
    SimTime unplugAt = kNever;

    ~Port() { closeFds(); }
    void closeFds() {
        for (int* fd : {&master, &slave}) {
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
        }
    }
    // The rate the program set on its end of the line [bit/s].
    std::uint32_t programBaud() const {
        termios tio{};
        return tcgetattr(slave, &tio) == 0 ? baudOf(cfgetospeed(&tio)) : 0;
    }
    std::uint8_t noiseByte() {
        return static_cast<std::uint8_t>(kNoiseFloor + noise() % (0x100 - kNoiseFloor));
    }
};

PtyServer::PtyServer()
    : startNs_(std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
                   .count()) {}

PtyServer::~PtyServer() {
    for (auto& port : ports_) {
        port->peer->attach(nullptr);
    }
}

SimTime PtyServer::now() const {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
               .count() -
           startNs_;
}

std::string PtyServer::add(const std::string& name, LinePeer& peer, LineFaults faults) {
    auto port = std::make_unique<Port>();
    port->name = name;
    port->peer = &peer;
    port->faults = faults;
    port->out.setBaud(peer.baud());
    port->master = posix_openpt(O_RDWR | O_NOCTTY);
    if (port->master < 0 || grantpt(port->master) != 0 || unlockpt(port->master) != 0) {
        throw systemError("cannot create a pseudo-terminal");
    }
    char path[128];
    if (ptsname_r(port->master, path, sizeof path) != 0) {
        throw systemError("cannot name the pseudo-terminal");
    }
    port->slave = ::open(path, O_RDWR | O_NOCTTY);
    if (port->slave < 0) {
        throw systemError(std::string("cannot open ") + path);
    }
    termios tio{};
    tcgetattr(port->slave, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, kInitialSpeed);
    tcsetattr(port->slave, TCSANOW, &tio);
    fcntl(port->master, F_SETFL, fcntl(port->master, F_GETFL) | O_NONBLOCK);

    peer.attach(&port->out);
    peer.start(now());
    ports_.push_back(std::move(port));
    return path;
}

void PtyServer::unplugAfter(const std::string& name, SimTime t) {
    for (auto& port : ports_) {
        if (port->name == name) {
            port->unplugAt = t;
        }
    }
}

void PtyServer::serve(Port& port, SimTime t) {
    if (port.master < 0) {
        return;
    }
    if (t >= port.unplugAt) {
        port.closeFds();
        return;
    }
    // A program that opened its end exclusively leaves the flag behind when it closes, which
    // would keep everyone else (itself included) out of a terminal that lives on; programs
    // that want the line to themselves also lock it, and that lock ends with their close.
    ioctl(port.slave, TIOCNXCL);
    const std::int64_t ms = t / kNanosPerMs;
    const bool mismatched = port.programBaud() != port.peer->baud();

    std::uint8_t buf[kReadChunk];
    const ssize_t n = ::read(port.master, buf, sizeof buf);
    if (n > 0) {
        port.traffic.record(
            ms, Direction::FromProgram,
            std::string_view(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n)));
        for (ssize_t i = 0; i < n; ++i) {
            port.peer->receive(mismatched ? port.noiseByte() : buf[i], t);
        }
    }
    while (port.peer->nextEventAt() <= t) {
        port.peer->runEvent(port.peer->nextEventAt());
    }

    std::string arrived;
    port.out.deliver(t, [&port, &arrived, mismatched](SimTime, std::uint8_t byte) {
        ++port.sent;
        const LineFaults& f = port.faults;
        if (f.dropEveryNth != 0 && port.sent % f.dropEveryNth == 0) {
            return;
        }
        if (f.corruptEveryNth != 0 && port.sent % f.corruptEveryNth == 0) {
            byte = static_cast<std::uint8_t>(~byte);
        }
        if (f.noise || mismatched) {
            byte = port.noiseByte();
        }
        arrived += static_cast<char>(byte);
    });
    if (!arrived.empty()) {
        // Nobody reading: what does not fit in the terminal's buffer is lost, as on a line.
        const ssize_t written = ::write(port.master, arrived.data(), arrived.size());
        if (written > 0) {
            port.traffic.record(
                ms, Direction::ToProgram,
                std::string_view(arrived).substr(0, static_cast<std::size_t>(written)));
        }
    }
}

void PtyServer::writeLog(std::ostream& log, std::int64_t nowMs, bool all) {
    for (std::size_t i = 0; i < ports_.size(); ++i) {
        Port& port = *ports_[i];
        const auto bursts = all ? port.traffic.takeClosed(std::numeric_limits<std::int64_t>::max())
                                : port.traffic.takeClosed(nowMs);
        for (const TrafficBurst& burst : bursts) {
            // The first device's lines stand alone; the others name their device.
            log << (i == 0 ? "" : port.name + ": ") << TrafficLog::line(burst);
        }
    }
    log.flush();
}

void PtyServer::run(const volatile std::sig_atomic_t& stop, std::ostream* log) {
    while (stop == 0) {
        const SimTime t = now();
        SimTime next = t + kMaxPollMs * kNanosPerMs;
        std::vector<pollfd> fds;
        for (auto& port : ports_) {
            serve(*port, t);
            if (port->master >= 0) {
                next = std::min({next, port->out.nextArrival(), port->peer->nextEventAt()});
                fds.push_back(pollfd{port->master, POLLIN, 0});
            }
        }
        if (log != nullptr) {
            writeLog(*log, t / kNanosPerMs, false);
        }
        const auto waitMs = static_cast<int>(
            std::clamp<SimTime>((next - t + kNanosPerMs - 1) / kNanosPerMs, 1, kMaxPollMs));
        if (poll(fds.data(), fds.size(), waitMs) < 0 && errno != EINTR) {
            throw systemError("poll");
        }
    }
    if (log != nullptr) {
        writeLog(*log, 0, true);
    }
}

} // namespace halcyx::sim
