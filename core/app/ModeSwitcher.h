#pragma once

#include "core/app/ClientWindows.h"

namespace halcyx {

class Operator;

// The program's working modes; each has its own client window, menu and title.
enum class Mode { Configuration, Acquisition, TowedAcquisition, ModuleAcquisition };

inline constexpr const char* kTitleConfiguration = "Halcyx - Configuration";
inline constexpr const char* kTitleAcquisition = "Halcyx - Acquisition";
inline constexpr const char* kTitleModuleAcquisition = "Halcyx - Module Acquisition";

// The scan rate a towed cast is plotted with [scans/s]: the Vexa's chosen sampling rate,
// or 0.5 for other instruments and when no rate was chosen.
float towedSamplingRate(ProductCode product, const SamplingRateFlags& flags);

// Switches the main frame between the modes. Only one window has its instrument port open
// at a time, so every switch closes one window's port before the next opens its own, and
// a switch is refused while data are being logged.
class ModeSwitcher {
public:
    ModeSwitcher(FrameView& frame, ConfigClient& config, AcqClient& acq, ModAcqClient& modAcq,
                 Operator& op);

    // Installs the configuration client, menu, icon and title of program start.
    void start();

    // Each returns true when the mode changed. A refused switch leaves everything as it was,
    // apart from what the failed step itself changed (an instrument already in run mode).
    bool enterAcquisition(bool towed);
    bool leaveAcquisition();
    bool enterModuleAcquisition();

    // The close check: false, after telling the operator why, while data are logged.
    bool mayClose();

    // Handles the mode commands (configuration, acquisition, tow acquisition, module
    // acquisition); false for every other command.
    bool handleCommand(int command);

    Mode mode() const { return mode_; }

private:
    // Refuses with the logging message when the acquisition window logs.
    bool refuseWhileAcquisitionLogs();
    void showApplicationError(const char* text);

    FrameView& frame_;
    ConfigClient& config_;
    AcqClient& acq_;
    ModAcqClient& modAcq_;
    Operator& op_;
    Mode mode_ = Mode::Configuration;
};

} // namespace halcyx
