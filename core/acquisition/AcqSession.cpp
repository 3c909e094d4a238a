#include "core/acquisition/AcqSession.h"

#include "core/acquisition/CastCommands.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"
#include "core/settings/PortSettings.h"

#include <cstring>

namespace halcyx {

namespace {

constexpr const char* kPortErrorCaption = "COMMUNICATION PORT ERROR";
constexpr const char* kFileErrorCaption = "Binary File ERROR";
constexpr const char* kCastFileFilter = "ASCII File (*.DAT)|*.dat|";
constexpr const char* kCastFileExtension = "DAT";
constexpr const char* kBottleExtension = "BTL";

} // namespace

AcqSession::AcqSession(SerialDevice& device, Clock& clock, Operator& op, Profile& settings)
    : op_(op), settings_(settings), port_(device, clock, op, portPathsFrom(settings)),
      responseDelayMs_(delaysAtOpen(kFallbackBaudRate).responseMs) {
    // A device that goes away mid-cast is explained here, in the operator's terms.
    port_.setReportDeviceLoss(false);
}

bool AcqSession::setInstrument(ProductCode product, ChannelMask channelMask,
                               const DCChannelTable& dc) {
    const std::optional<ScanLayout> layout = modelTraits(product).layout;
    if (!layout || logging_)
        return false;
    if (cast_ && product == product_ && channelMask == cast_->decoder().channelMask())
        return false;
    product_ = product;
    cast_ = std::make_unique<CastSession>(*layout, channelMask, dc);
    return true;
}

bool AcqSession::openDataPort() {
    const auto baud = openInstrumentPort(port_, settings_, op_, kAcquisitionFigures);
    if (!baud)
        return false;
    responseDelayMs_ = delaysAtOpen(*baud).responseMs;
    lossReported_ = false;
    return true;
}

bool AcqSession::closeDataPort() {
    if (port_.Close())
        return true;
    op_.message("Error closing Data communications port", kPortErrorCaption, Icon::Stop);
    return false;
}

PortSetupResult AcqSession::portSetup(PortSetupDialog& dialog) {
    return runPortSetup(port_, settings_, op_, dialog, kAcquisitionFigures);
}

bool AcqSession::startCast(bool down, const std::tm& now) {
    if (!cast_ || logging_)
        return false;
    const std::optional<std::string> path =
        op_.chooseFile(saveFileRequest(kCastFileFilter, kCastFileExtension));
    if (!path)
        return false;
    if (!cast_->startCast(*path, now)) {
        op_.message("Error opening Cast File", kFileErrorCaption, Icon::Stop);
        return false;
    }
    if (!bottle_.create(castFileNamesFor(*path).bottle))
        op_.message("Error opening Bottle File", "Bottle File ERROR", Icon::Stop);
    downCast_ = down;
    logging_ = true;
    fileFailureReported_ = false;
    // An adapter that went away between casts may be back.
    if (!port_.isOpen() && port_.reopenQuietly())
        lossReported_ = false;
    StartCtdData(port_, responseDelayMs_);
    noticeLostDevice();
    return true;
}

bool AcqSession::tick() {
    if (!logging_)
        return true;
    if (!port_.isOpen() && port_.deviceLost() && port_.reopenQuietly()) {
        // Back on the same path: whatever arrived around the gap is dropped and the lines
        // are found afresh, so no record is cut in two or written twice.
        lossReported_ = false;
        cast_->resynchronise();
    }
    cast_->tick(port_);
    noticeLostDevice();
    const std::optional<FileError>& failure = cast_->writeFailure();
    if (!failure || fileFailureReported_)
        return true;
    fileFailureReported_ = true;
    op_.message(formatText("Error writing Cast File %s: %s.\n\nThe records received until now "
                           "are kept in it. The cast ends here.",
                           failure->path.c_str(), std::strerror(failure->error)),
                kFileErrorCaption, Icon::Stop);
    return false;
}

void AcqSession::endCast(const CastInstrument& instrument, const std::tm& now,
                         const std::function<void(CastInfo&)>& editInfo) {
    if (!logging_)
        return;
    EndCtdData(port_);
    noticeLostDevice();
    logging_ = false;
    CastSummary summary;
    summary.serialNumber = instrument.serialNumber;
    summary.rateIndex = instrument.rateIndex;
    summary.downCast = downCast_;
    summary.navigation = towed_ && kNavEnable.read(settings_) == 1;
    const std::optional<FileError> failure = cast_->EndCast(
        summary, now, [this] { (void)bottle_.Close(); }, editInfo);
    // A data file that failed during the cast was reported then.
    if (failure && !(fileFailureReported_ && failure->path == cast_->info().dataFile))
        op_.message(formatText("Error writing %s: %s.", failure->path.c_str(),
                               std::strerror(failure->error)),
                    kFileErrorCaption, Icon::Stop);
}

bool AcqSession::StopCtdData() {
    return halcyx::StopCtdData(port_, op_, responseDelayMs_);
}

void AcqSession::noticeLostDevice() {
    if (!port_.deviceLost() || lossReported_)
        return;
    lossReported_ = true;
    const int number = port_.port();
    op_.message(formatText("The data port COM%d (%s) has gone away.\n\nEvery record received "
                           "until now is in the cast file. The cast goes on by itself when "
                           "the device is back; or end the cast to close its files.",
                           number, devicePathForPort(settings_, number).c_str()),
                kPortErrorCaption, Icon::Stop);
}

} // namespace halcyx
