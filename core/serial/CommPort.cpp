#include "core/serial/CommPort.h"

#include "core/prompt/Operator.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <utility>
#include <vector>

namespace halcyx {

namespace {

constexpr const char* kPortErrorCaption = "COMMUNICATION PORT ERROR";
constexpr const char* kSystemTextCaption = "GetLastError";
constexpr const char* kCommandErrorCaption = "Command Error";
constexpr const char* kRefusalMarker = "BAD COMMAND";
// Room for any int in decimal, sign included.
constexpr std::size_t kIntTextBytes = sizeof "-2147483648" - 1;
constexpr std::uint8_t kCommandTerminator = '\r';

// Error codes with which a read or write says the device itself has disappeared.
bool deviceIsGone(int code) {
    return code == EIO || code == ENXIO || code == ENODEV;
}

FlowControl flowFor(int handshake) {
    switch (handshake) {
    case CommPort::kHandshakeHardware:
        return FlowControl::Hardware;
    case CommPort::kHandshakeXonXoff:
        return FlowControl::XonXoff;
    default:
        return FlowControl::None;
    }
}

bool validPort(int port) {
    return port >= CommPort::kFirstPort && port <= CommPort::kLastPort;
}

// The answer as text: instruments sometimes send NULs or line noise ahead of a reply,
// and a NUL must neither end the text early nor hide a refusal behind it.
std::string answerText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::uint8_t b : bytes)
        if (b != 0)
            text.push_back(static_cast<char>(b));
    return text;
}

} // namespace

std::string CommPort::defaultPathForPort(int port) {
    return "/dev/ttyS" + std::to_string(port - kFirstPort);
}

CommPort::CommPort(SerialDevice& device, Clock& clock, Operator& op, PathForPort pathForPort)
    : device_(device), clock_(clock), op_(op), pathForPort_(std::move(pathForPort)) {}

CommPort::~CommPort() {
    Close();
}

bool CommPort::Setup(int port, std::uint16_t inputFigure, std::uint16_t outputFigure) {
    if (open_ && !Close())
        op_.message("Error closing comport", kPortErrorCaption, Icon::Stop);
    // The line is prepared for 9600 baud 8N1; it reaches the device with SetBaud or
    // SetHandshake, as a freshly opened port keeps the rate it had until then.
    baud_ = kSetupBaud;
    if (!validPort(port))
        return false;
    port_ = port;
    inputFigure_ = inputFigure;
    outputFigure_ = outputFigure;
    open_ = OpenPort(port);
    return open_;
}

bool CommPort::OpenPort(int port) {
    if (!validPort(port)) {
        ReportLastError("Invalid Port number in SetPort()");
        return false;
    }
    // Reopening without a Close would leave the old device held.
    Close();
    const std::string path = pathForPort_ ? pathForPort_(port) : defaultPathForPort(port);
    if (!device_.open(path)) {
        char description[sizeof "OpenComm Error(COM)" + kIntTextBytes];
        std::snprintf(description, sizeof description, "OpenComm Error(COM%d)", port);
        ReportLastError(description);
        return false;
    }
    port_ = port;
    open_ = true;
    deviceLost_ = false;
    device_.purge(PurgeWhat::Both);
    return true;
}

bool CommPort::reopenQuietly() {
    if (open_ || !validPort(port_))
        return open_;
    const std::string path = pathForPort_ ? pathForPort_(port_) : defaultPathForPort(port_);
    if (!device_.open(path))
        return false;
    open_ = true;
    deviceLost_ = false;
    device_.purge(PurgeWhat::Both);
    return applyLine(baud_);
}

bool CommPort::Close() {
    if (!open_)
        return true;
    open_ = false;
    device_.purge(PurgeWhat::Both);
    return device_.close();
}

bool CommPort::applyLine(std::uint32_t baud) {
    if (!open_)
        return false;
    if (!device_.setFlowControl(flowFor(handshake_)) || !device_.setLine(baud)) {
        ReportLastError("SetCommState Error");
        return false;
    }
    baud_ = baud;
    return true;
}

bool CommPort::SetBaud(std::uint32_t baud) {
    return applyLine(baud);
}

bool CommPort::SetHandshake(int mode) {
    handshake_ = mode;
    return applyLine(baud_);
}

int CommPort::Read(std::span<std::uint8_t> buffer) {
    if (!open_)
        return 0;
    const long n = device_.read(buffer);
    if (n < 0) {
        reportIoFailure("ReadComm Error");
        return 0;
    }
    return static_cast<int>(std::min<long>(n, static_cast<long>(buffer.size())));
}

int CommPort::ReadWait(std::span<std::uint8_t> buffer, std::uint32_t pauseMs) {
    if (!open_)
        return 0;
    clock_.sleepMs(pauseMs);
    const long n = device_.read(buffer);
    if (n < 0) {
        reportIoFailure("ReadComm Timeout Error");
        return 0;
    }
    return static_cast<int>(std::min<long>(n, static_cast<long>(buffer.size())));
}

bool CommPort::WriteByte(std::uint8_t byte) {
    return WriteSlow(std::span(&byte, 1), 0);
}

bool CommPort::WriteSlow(std::span<const std::uint8_t> bytes, std::uint32_t pauseMs) {
    if (!open_)
        return false;
    for (std::uint8_t byte : bytes) {
        if (device_.write(std::span(&byte, 1)) != 1) {
            reportIoFailure("WriteComm Error");
            return false;
        }
        if (pauseMs > 0)
            clock_.sleepMs(pauseMs);
    }
    return true;
}

bool CommPort::WriteSlow(const std::string& text, std::uint32_t pauseMs) {
    return WriteSlow(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                     pauseMs);
}

bool CommPort::SendCommand(const std::string& command) {
    lastAnswer_.clear();
    if (!open_)
        return false;
    // An answer to an earlier command that came in late must not pass for this one.
    device_.purge(PurgeWhat::Receive);
    std::string line = command;
    line.push_back(static_cast<char>(kCommandTerminator));
    if (!WriteSlow(line, kCommandCharPauseMs))
        return false;
    clock_.sleepMs(defaultPauseMs_);
    std::array<std::uint8_t, kCommandAnswerBytes> answer{};
    const int n = ReadWait(answer, defaultPauseMs_);
    if (n <= 0)
        return false;
    lastAnswer_ = answerText(std::span(answer.data(), static_cast<std::size_t>(n)));
    if (lastAnswer_.find(kRefusalMarker) == std::string::npos)
        return true;
    char text[sizeof "Error using Command = " + kCommandAnswerBytes];
    std::snprintf(text, sizeof text, "Error using Command = %s", lastAnswer_.c_str());
    op_.message(text, kCommandErrorCaption, Icon::Stop);
    return false;
}

bool CommPort::Purge(PurgeWhat what) {
    return open_ && device_.purge(what);
}

void CommPort::ReportLastError(const std::string& description) {
    showError(description, device_.lastError(), device_.lastErrorText());
}

void CommPort::reportIoFailure(const std::string& description) {
    const int code = device_.lastError();
    const std::string text = device_.lastErrorText();
    if (deviceIsGone(code)) {
        open_ = false;
        deviceLost_ = true;
        device_.close();
        if (!reportDeviceLoss_)
            return;
    }
    showError(description, code, text);
}

void CommPort::showError(const std::string& description, int code, const std::string& text) {
    std::vector<char> line(description.size() + sizeof " = " + kIntTextBytes);
    std::snprintf(line.data(), line.size(), "%s = %d", description.c_str(), code);
    op_.message(line.data(), kPortErrorCaption, Icon::Stop);
    op_.message(text, kSystemTextCaption, Icon::Information);
}

} // namespace halcyx
