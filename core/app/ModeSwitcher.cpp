#include "core/app/ModeSwitcher.h"

#include "core/base/Commands.h"
#include "core/base/ModelTraits.h"
#include "core/prompt/Operator.h"

namespace halcyx {

namespace {

constexpr const char* kCaptionApplicationError = "Application Error";
constexpr const char* kCaptionLogging = "Status - Logging";
constexpr const char* kStopLoggingFirst =
    "You must stop the current logging session before leaving aquisition!";
constexpr const char* kEndCastFirst = "You must end the current cast before leaving aquisition!";

// Scans per second of an instrument without a chosen rate.
constexpr float kDefaultScanRate = 0.5f;

} // namespace

float towedSamplingRate(ProductCode product, const SamplingRateFlags& flags) {
    const std::span<const double> rates = modelTraits(product).samplingRates;
    for (std::size_t i = 0; i < rates.size() && i < flags.size(); ++i)
        if (flags[i])
            return static_cast<float>(rates[i]);
    return kDefaultScanRate;
}

ModeSwitcher::ModeSwitcher(FrameView& frame, ConfigClient& config, AcqClient& acq,
                           ModAcqClient& modAcq, Operator& op)
    : frame_(frame), config_(config), acq_(acq), modAcq_(modAcq), op_(op) {}

void ModeSwitcher::start() {
    mode_ = Mode::Configuration;
    frame_.setClient(ClientKind::Config);
    frame_.setMenu(MenuId::Config);
    frame_.setIcon(kIconAcquisition);
    frame_.setTitle(kTitleConfiguration);
}

bool ModeSwitcher::enterAcquisition(bool towed) {
    if (mode_ != Mode::Configuration)
        return false;
    const ProductCode product = config_.productCode();
    if (const char* refusal = modelTraits(product).towedRefusal; towed && refusal) {
        showApplicationError(refusal);
        return false;
    }
    if (config_.channelMask() == 0) {
        config_.readInstrumentSettings();
        // Without a single channel there is nothing to acquire; the reading said why.
        if (config_.channelMask() == 0)
            return false;
    }
    config_.enterRunMode();
    if (!config_.closePort()) {
        showApplicationError("Error Closing Configuration Comport");
        return false;
    }

    acq_.setTowed(towed);
    acq_.setShown(true);
    config_.setShown(false);
    acq_.setProductCode(product);
    acq_.setChannelMask(config_.channelMask());
    frame_.setClient(ClientKind::Acq);
    acq_.openDataPort();

    if (product == ProductCode::TavrinCT)
        frame_.setMenu(MenuId::AcqCT);
    else if (product == ProductCode::TavrinP)
        frame_.setMenu(MenuId::AcqP);
    else
        frame_.setMenu(towed ? MenuId::TowAcq : MenuId::Acq);
    if (towed) {
        acq_.setSamplingRate(towedSamplingRate(product, config_.samplingRateFlags()));
        acq_.openNavigationPort();
    }
    frame_.setIcon(kIconAcquisition);
    frame_.setTitle(kTitleAcquisition);
    mode_ = towed ? Mode::TowedAcquisition : Mode::Acquisition;
    return true;
}

bool ModeSwitcher::leaveAcquisition() {
    if (mode_ != Mode::Acquisition && mode_ != Mode::TowedAcquisition)
        return false;
    if (refuseWhileAcquisitionLogs())
        return false;
    if (!acq_.closeDataPort()) {
        showApplicationError("Error Closing Acquisition Comport");
        return false;
    }
    acq_.setShown(false);
    config_.setShown(true);
    frame_.setClient(ClientKind::Config);
    frame_.setMenu(MenuId::Config);
    frame_.setIcon(kIconConfiguration);
    frame_.setTitle(kTitleConfiguration);
    mode_ = Mode::Configuration;
    // The instrument was left sending scans in run mode; the open-mode request stops it.
    // Without a port there is nobody to ask, and the failed opening has said so already.
    if (config_.openPortFromSettings())
        config_.requestOpenMode();
    return true;
}

bool ModeSwitcher::enterModuleAcquisition() {
    if (mode_ != Mode::Configuration)
        return false;
    if (!config_.closePort()) {
        showApplicationError("Error Closing Configuration Comport");
        return false;
    }
    config_.setShown(false);
    modAcq_.setShown(true);
    frame_.setClient(ClientKind::ModAcq);
    frame_.setMenu(MenuId::ModAcq);
    frame_.setIcon(kIconAcquisition);
    frame_.setTitle(kTitleModuleAcquisition);
    mode_ = Mode::ModuleAcquisition;
    modAcq_.openDataPort();
    modAcq_.openNavigationPort();
    return true;
}

bool ModeSwitcher::mayClose() {
    if (refuseWhileAcquisitionLogs())
        return false;
    if (modAcq_.logging()) {
        op_.message(kStopLoggingFirst, kCaptionLogging, Icon::Stop);
        return false;
    }
    return true;
}

bool ModeSwitcher::handleCommand(int command) {
    switch (command) {
    case cmd::kConfiguration:
        leaveAcquisition();
        return true;
    case cmd::kAcquisition:
        enterAcquisition(false);
        return true;
    case cmd::kTowAcquisition:
        enterAcquisition(true);
        return true;
    case cmd::kModuleAcquisition:
        enterModuleAcquisition();
        return true;
    default:
        return false;
    }
}

bool ModeSwitcher::refuseWhileAcquisitionLogs() {
    if (!acq_.logging())
        return false;
    op_.message(isTavrin(config_.productCode()) ? kStopLoggingFirst : kEndCastFirst,
                kCaptionLogging, Icon::Stop);
    return true;
}

void ModeSwitcher::showApplicationError(const char* text) {
    op_.message(text, kCaptionApplicationError, Icon::Stop);
}

} // namespace halcyx
