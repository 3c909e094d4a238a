#include "core/module/ModuleSession.h"

#include "core/base/DecimalNumber.h"
#include "core/instrument/CommandDelays.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"
#include "core/settings/PortSettings.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace halcyx {

namespace {

// The run-mode check.
constexpr const char* kModeCommand = "mode\r";
constexpr const char* kRunCommand = "***r\r";
constexpr const char* kRunAnswer = "run";
constexpr std::uint32_t kCheckCharMs = 40;   // after each character of the check commands
constexpr std::uint32_t kModeAnswerMs = 100; // before the answer is read
constexpr std::uint32_t kModeReadMs = 200;   // the read's own pause
constexpr std::size_t kModeAnswerBytes = 10;
constexpr std::uint32_t kBeforeRunMs = 300;
// Starting and stopping the stream.
constexpr const char* kStartCommand = "SC\r";
constexpr std::uint32_t kStartCharMs = 20;
constexpr int kStartSettlePauses = 3; // response delays after the start command
constexpr std::uint8_t kStop = 'S';
constexpr std::uint8_t kReturn = '\r';
constexpr std::uint32_t kStopPauseMs = 100;
constexpr std::uint32_t kStopSettleMs = 400;

constexpr const char* kPortErrorCaption = "COMMUNICATION PORT ERROR";
constexpr const char* kFileErrorCaption = "Binary File ERROR";

std::string clockTime(const std::tm& t) {
    return formatText("%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
}

std::string withoutDirectory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ModuleSession::ModuleSession(SerialDevice& dataDevice, Clock& clock, Operator& op,
                             Profile& settingsFile, NavSession& nav,
                             NavSession::LocalTime localTime)
    : op_(op), settingsFile_(settingsFile), nav_(nav), localTime_(std::move(localTime)),
      port_(dataDevice, clock, op, portPathsFrom(settingsFile)) {
    // A module that goes away is told about here, once and with its device.
    port_.setReportDeviceLoss(false);
}

void ModuleSession::openDataPort() {
    if (const auto baud = openInstrumentPort(port_, settingsFile_, op_, kAcquisitionFigures))
        responseMs_ = delaysAtOpen(*baud).responseMs;
}

bool ModuleSession::close() {
    data_.Close();
    if (port_.Close())
        return true;
    op_.message("Error closing Data communications port", kPortErrorCaption, Icon::Stop);
    return false;
}

void ModuleSession::SelectModule(ModuleType type) {
    type_ = type;
    graph_.setTitle(moduleTraits(type).title);
    graph_.setCaption(moduleTraits(type).caption);
    selected_ = true;
    checkRunMode();
}

void ModuleSession::checkRunMode() {
    port_.Purge(PurgeWhat::Receive);
    (void)port_.WriteSlow(kModeCommand, kCheckCharMs); // no answer says what went wrong
    port_.Sleep(kModeAnswerMs);
    std::array<std::uint8_t, kModeAnswerBytes> answer{};
    const int n = port_.ReadWait(answer, kModeReadMs);
    if (n <= 0) {
        op_.message("No Instrument Found!", "Communications Error", Icon::Stop);
        return;
    }
    const std::string_view text(reinterpret_cast<const char*>(answer.data()),
                                static_cast<std::size_t>(n));
    if (text.find(kRunAnswer) != std::string_view::npos)
        return;
    op_.message("Instrument must be in RUN mode!", "State Error", Icon::Stop);
    port_.Sleep(kBeforeRunMs);
    (void)port_.WriteSlow(kRunCommand, kCheckCharMs); // a failed write was reported
}

bool ModuleSession::StartLogging() {
    const auto path = op_.chooseFile(saveFileRequest("ASCII File (*.DAT)|*.dat|", "DAT"));
    if (!path)
        return false;
    if (!data_.create(*path)) {
        op_.message("Error opening Cast File", kFileErrorCaption, Icon::Stop);
        return false;
    }
    fileName_ = withoutDirectory(*path);
    info_ = CastInfo{};
    prepareCastInfo(info_, {*path, {}, {}, {}}, localTime_());

    reader_.restart();
    queue_.clear();
    logging_ = true;
    lost_ = writeFailureShown_ = false;
    recordCount_ = recordsSinceZoom_ = 0;
    graph_.reset();
    stamp_ = {nav_.enabled(), kNavTimeStamp.read(settingsFile_) == 1,
              kNavPcTime.read(settingsFile_) == 1};
    autoZoom_ = kAutoZoomEnable.read(settingsFile_) == 1;
    zoomRate_ = static_cast<int>(decimalNumber(kAutoZoomRate.read(settingsFile_)));

    port_.Sleep(responseMs_);
    port_.Purge(PurgeWhat::Receive);
    (void)port_.WriteSlow(kStartCommand, kStartCharMs); // a failed write was reported
    for (int i = 0; i < kStartSettlePauses; ++i)
        port_.Sleep(responseMs_);
    return true;
}

void ModuleSession::EndLogging() {
    for (const std::uint32_t pause : {kStopPauseMs, kStopPauseMs}) {
        (void)port_.WriteByte(kStop); // a failed write was reported
        port_.Sleep(pause);
    }
    (void)port_.WriteByte(kReturn);
    port_.Sleep(kStopSettleMs);
    port_.Purge(PurgeWhat::Receive);

    logging_ = false;
    if (!data_.Close())
        reportWriteFailure();
    info_.parameters = "1";
    info_.frameLength = "ASCII";
    info_.scanRate = "N/A";
    info_.observations = std::to_string(recordCount_);
    info_.endTime = clockTime(localTime_());
}

ModuleTick ModuleSession::tick() {
    if (!port_.isOpen()) {
        // A module that went away: its device is tried again on every tick.
        if (!logging_ || !port_.reopenQuietly())
            return {};
        lost_ = false;
    }
    std::array<std::uint8_t, kMaxBytesPerTick> bytes{};
    const int n = port_.Read(bytes);
    if (port_.deviceLost()) {
        reportLostModule();
        return {};
    }
    return tick(std::span(bytes).first(static_cast<std::size_t>(std::max(n, 0))));
}

ModuleTick ModuleSession::tick(std::span<const std::uint8_t> bytes) {
    ModuleTick result;
    if (!logging_)
        return result;
    // A full queue refuses what arrives; those bytes are dropped.
    queue_.Put(bytes.first(std::min(bytes.size(), kMaxBytesPerTick)));
    while (reader_.next(queue_))
        logLine(reader_.line(), result);
    if (result.records > 0 && !data_.flush())
        reportWriteFailure();
    if (recordCount_ > 0 && recordCount_ % kReopenPeriod == 0 && !data_.Reopen())
        reportWriteFailure();
    if (autoZoom_ && recordsSinceZoom_ >= zoomRate_) {
        recordsSinceZoom_ = 0;
        result.zoom = true;
    }
    return result;
}

void ModuleSession::logLine(std::string_view line, ModuleTick& result) {
    const double value = moduleValue(line);
    NavFix fix = nav_.fix();
    const std::string record = moduleRecord(value, fix, stamp_, localTime_());
    listing_.append(record);
    data_.writeRecord(record);
    graph_.addValue(toSingle(value));
    graph_.addPosition(fix.latitude, fix.latHemisphere, fix.longitude, fix.lonHemisphere);
    ++recordCount_;
    ++recordsSinceZoom_;
    ++result.records;
    if (recordCount_ % kRedrawPeriod == 0)
        result.redrawStrip = true;
}

void ModuleSession::reportLostModule() {
    if (lost_)
        return;
    lost_ = true;
    reader_.dropPartialLine();
    const int number = port_.port();
    op_.message(formatText("The module on COM%d (%s) has gone away.\n\nThe %d records so far "
                           "are in %s. Logging goes on as soon as the module is back.",
                           number, devicePathForPort(settingsFile_, number).c_str(), recordCount_,
                           fileName_.c_str()),
                kPortErrorCaption, Icon::Stop);
}

void ModuleSession::reportWriteFailure() {
    if (writeFailureShown_ || !data_.failure())
        return;
    writeFailureShown_ = true;
    const FileError& failure = *data_.failure();
    op_.message(
        formatText("Error writing %s: %s", failure.path.c_str(), std::strerror(failure.error)),
        kFileErrorCaption, Icon::Stop);
}

void ModuleSession::PortSetup(PortSetupDialog& dialog) {
    const auto choice = dialog.choosePort({port_.port(), port_.baud()});
    if (!choice)
        return;
    const bool reopen = choice->port != port_.port() || !port_.isOpen() || choice->remapped;
    if (reopen) {
        if (!port_.Close()) {
            op_.message("Error closing comport", kPortErrorCaption, Icon::None);
            return;
        }
        if (!port_.OpenPort(choice->port)) {
            op_.message(formatText("Error opening COM%d", choice->port), "OPEN COMM ERROR",
                        Icon::Stop);
            return;
        }
        kInstrumentPort.write(settingsFile_, choice->port);
    }
    // A device opened afresh keeps whatever rate it had last, so it gets ours as well.
    if (reopen || choice->baud != port_.baud()) {
        port_.SetBaud(choice->baud);
        port_.SetHandshake(CommPort::kHandshakeNone);
    }
    kInstrumentBaud.write(settingsFile_, static_cast<int>(choice->baud));
}

} // namespace halcyx
