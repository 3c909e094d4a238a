#include "core/instrument/RunSession.h"

#include "core/instrument/CommandLayer.h"
#include "core/instrument/ConfigSession.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace halcyx {

namespace {

constexpr const char* kLogCaption = "Log File ERROR";
constexpr const char* kNotLogging = "Not Logging";
constexpr std::string_view kStartOutput = "SC\r";
constexpr std::uint32_t kStartCharMs = 20;
constexpr std::uint32_t kVexaSettleMs = 500;
constexpr std::uint8_t kStop = 'S';
constexpr int kStopRepeats = 3;
constexpr std::uint32_t kStopPauseMs = 100;
constexpr std::uint32_t kBeforeReturnMs = 100;
constexpr std::uint32_t kAfterReturnMs = 500;
constexpr std::uint8_t kCarriageReturn = '\r';
constexpr std::uint8_t kLineFeed = '\n';
constexpr mode_t kCreateMode = 0644;
constexpr const char* kCtProgressTitle = "Waiting for serial Data...";

} // namespace

std::optional<RunRequest> ContinuousDataMode(ConfigSession& session, Operator& op) {
    if (session.settings().channelMask == 0)
        session.readSettings();
    if (session.layer().mode() != InstrumentMode::Run)
        session.layer().EnterRunMode();
    RunRequest request{session.record().product, std::nullopt};
    if (op.askYesNo("Do you want to log the data to a file?", "Log Data", Icon::Question)) {
        FileRequest file;
        file.save = true;
        file.filter = "Log Files (*.DAT)|*.dat|";
        file.defaultExtension = "DAT";
        request.logPath = op.chooseFile(file);
    }
    const ProductCode product = request.product;
    if (product == ProductCode::Vexa2 || product == ProductCode::Vexa3 ||
        product == ProductCode::TavrinCT)
        return request;
    return std::nullopt;
}

RunSession::RunSession(CommPort& port, Operator& op, const std::optional<std::string>& logPath)
    : port_(port), op_(op) {
    if (!logPath)
        return;
    logFd_ = ::open(logPath->c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, kCreateMode);
    if (logFd_ < 0) {
        op_.message("Error opening Log File", kLogCaption, Icon::Stop);
        return;
    }
    const std::size_t slash = logPath->find_last_of('/');
    logName_ = slash == std::string::npos ? *logPath : logPath->substr(slash + 1);
}

RunSession::~RunSession() {
    closeLog();
}

std::string RunSession::loggingText() const {
    return logging() ? logName_ : kNotLogging;
}

std::span<const std::uint8_t> RunSession::read(std::size_t maxBytes) {
    buffer_.resize(maxBytes);
    const int n = port_.Read(buffer_);
    return std::span<const std::uint8_t>(buffer_).first(static_cast<std::size_t>(n));
}

void RunSession::log(std::span<const std::uint8_t> bytes) {
    if (logging())
        writeLog(bytes);
}

void RunSession::logLines(std::span<const std::uint8_t> bytes) {
    if (!logging())
        return;
    std::vector<std::uint8_t> text;
    text.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool lineEndCr =
            bytes[i] == kCarriageReturn && i + 1 < bytes.size() && bytes[i + 1] == kLineFeed;
        if (lineEndCr)
            continue;
        if (bytes[i] == kLineFeed)
            text.push_back(kCarriageReturn);
        text.push_back(bytes[i]);
    }
    writeLog(text);
}

void RunSession::writeLog(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(logFd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            closeLog();
            op_.message("Error writing Log File", kLogCaption, Icon::Stop);
            return;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
}

void RunSession::closeLog() {
    if (logFd_ >= 0)
        ::close(logFd_);
    logFd_ = -1;
}

void RunSession::startOutput() {
    port_.WriteSlow(std::string(kStartOutput), kStartCharMs);
}

void RunSession::stop(std::size_t closingReadBytes) {
    if (!op_.askYesNo("Leave Instrument Running?", "Running", Icon::Question)) {
        for (int i = 0; i < kStopRepeats; ++i) {
            port_.WriteByte(kStop);
            port_.Sleep(kStopPauseMs);
        }
        log(read(closingReadBytes));
    }
    port_.Sleep(kBeforeReturnMs);
    port_.WriteByte(kCarriageReturn);
    port_.Sleep(kAfterReturnMs);
    port_.Purge(PurgeWhat::Receive);
    closeLog();
}

void VexaRun::start() {
    port_.Purge(PurgeWhat::Receive);
    port_.Sleep(kVexaSettleMs);
    startOutput();
}

std::optional<VexaRunTexts> VexaRun::tick() {
    const auto bytes = read(kReadBytes);
    log(bytes);
    return vexaRunTexts(bytes, mask_);
}

CtRun::~CtRun() {
    closeProgress();
}

void CtRun::start() {
    port_.Purge(PurgeWhat::Receive);
    startOutput();
    op_.progressShow();
    op_.progressLine1(kCtProgressTitle);
    op_.progressLine2("0");
    progressShown_ = true;
}

std::optional<CtRunRecord> CtRun::tick() {
    const auto bytes = read(kReadBytes);
    logLines(bytes);
    stream_.put(bytes);
    if (stream_.synchronising()) {
        if (progressShown_)
            op_.progressLine2(std::to_string(stream_.queued()));
        if (!stream_.synchronise())
            return std::nullopt;
        closeProgress();
    }
    auto records = stream_.records(timeOn_);
    if (records.empty())
        return std::nullopt;
    return std::move(records.back());
}

void CtRun::closeProgress() {
    if (progressShown_)
        op_.progressClose();
    progressShown_ = false;
}

} // namespace halcyx
