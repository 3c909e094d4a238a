#include "core/navigation/NavSession.h"

#include "core/instrument/Format.h"
#include "core/navigation/NavAppendix.h"
#include "core/prompt/Operator.h"
#include "core/settings/PortSettings.h"

#include <algorithm>
#include <array>

namespace halcyx {

namespace {

constexpr const char* kNavPortCaption = "NAV COMMUNICATION PORT ERROR";

int flag(bool on) {
    return on ? 1 : 0;
}

bool isPortNumber(int port) {
    return port >= CommPort::kFirstPort && port <= CommPort::kLastPort;
}

} // namespace

std::tm NavSession::systemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

NavSession::NavSession(SerialDevice& device, Clock& clock, Operator& op, Profile& settingsFile,
                       NavPortDialog& dialog, IntSetting portSetting, LocalTime localTime)
    : op_(op), settingsFile_(settingsFile), dialog_(dialog), portSetting_(portSetting),
      localTime_(std::move(localTime)), port_(device, clock, op, portPathsFrom(settingsFile)) {}

void NavSession::message(const std::string& text, const char* caption) {
    op_.message(text, caption, Icon::Stop);
}

void NavSession::open(int dataPort) {
    settings_ = NavSettings{};
    settings_.port = portSetting_.key.def;
    if (kNavEnable.read(settingsFile_) == 0)
        return;
    settings_.enabled = true;
    settings_.timeStamp = kNavTimeStamp.read(settingsFile_) == 1;
    settings_.pcTime = kNavPcTime.read(settingsFile_) == 1;
    settings_.gpsTime = kNavGpsTime.read(settingsFile_) == 1;
    settings_.port = readPortNumber(settingsFile_, portSetting_);
    if (settings_.port == dataPort) {
        // The dialog shows the rate in the file; an unknown one is told about when used.
        const int baud = kNavBaud.read(settingsFile_);
        settings_.baud = isBaudRate(baud) ? static_cast<std::uint32_t>(baud) : kFallbackBaudRate;
        message(formatText("Error, Acquisition port is using COM%d", settings_.port),
                "SAME COMPORT ERROR");
        setup();
        return;
    }
    if (!openPort())
        return;
    settings_.baud = readBaudRate(settingsFile_, kNavBaud, op_);
    applyRate(settings_.baud);
}

bool NavSession::openPort() {
    if (port_.Setup(settings_.port, kInputFigure, kOutputFigure))
        return true;
    message(formatText("Error opening COM%d", settings_.port), "OPEN COMM ERROR");
    settings_.enabled = false;
    kNavEnable.write(settingsFile_, 0);
    return false;
}

void NavSession::applyRate(std::uint32_t baud) {
    port_.SetBaud(baud);
    port_.SetHandshake(CommPort::kHandshakeNone);
}

bool NavSession::close() {
    if (port_.Close())
        return true;
    message("Error closing Navigation communications port", kNavPortCaption);
    return false;
}

void NavSession::setup() {
    NavSettings edited = settings_;
    if (!dialog_.edit(edited))
        return;
    settings_ = edited;
    kNavTimeStamp.write(settingsFile_, flag(settings_.timeStamp));
    kNavPcTime.write(settingsFile_, flag(settings_.pcTime));
    kNavGpsTime.write(settingsFile_, flag(settings_.gpsTime));
    if (port_.isOpen() && !port_.Close())
        message("Error closing Navigation comport", kNavPortCaption);
    kNavEnable.write(settingsFile_, flag(settings_.enabled));
    if (!settings_.enabled)
        return;
    if (!isPortNumber(settings_.port)) {
        message("Error determining Navigation comport!", kNavPortCaption);
        return;
    }
    if (!openPort())
        return;
    portSetting_.write(settingsFile_, settings_.port);
    if (!isBaudRate(settings_.baud)) {
        message("Error determining Navigation comport Baudrate!", kNavPortCaption);
        return;
    }
    applyRate(settings_.baud);
    kNavBaud.write(settingsFile_, static_cast<int>(settings_.baud));
}

void NavSession::dropPending() {
    port_.Purge(PurgeWhat::Both);
    reader_.clear();
}

void NavSession::startCast() {
    dropPending();
    fix_.latHemisphere = fix_.lonHemisphere = NavFix::kUnknown;
    noDataCount_ = 0;
}

NavTick NavSession::tick() {
    std::array<std::uint8_t, kMaxBytesPerTick> bytes{};
    const int n = port_.Read(bytes);
    return tick(std::span(bytes).first(static_cast<std::size_t>(std::max(n, 0))));
}

NavTick NavSession::tick(std::span<const std::uint8_t> bytes) {
    reader_.put(bytes.first(std::min(bytes.size(), kMaxBytesPerTick)));
    if (reader_.takeFix(fix_, settings_.gpsTime)) {
        noDataCount_ = 0;
        return NavTick::Fix;
    }
    // Every tick without a position counts, not only the silent ones: a receiver at the
    // wrong rate, or one that sends no "$GPGLL", would otherwise keep the last position
    // on every record for ever.
    if (++noDataCount_ < kAlarmTicks)
        return NavTick::NoFix;
    fix_.forgetPosition();
    noDataCount_ = 0;
    return NavTick::Alarm;
}

void NavSession::appendTo(std::string& line) {
    appendNavigation(line, fix_, {settings_.timeStamp, settings_.pcTime}, localTime_());
}

} // namespace halcyx
