#pragma once

namespace halcyx {

// Menu command identifiers. The same number means the same command in every menu, and
// each client window handles the numbers of its own mode.
namespace cmd {

// Acquisition (profile and towed) and module acquisition.
inline constexpr int kStartCast = 100; // "Start &Down Cast", "&Start Logging"
inline constexpr int kEndCast = 101;
inline constexpr int kStartUpCast = 102;
inline constexpr int kEndUpCast = 103;
inline constexpr int kConfiguration = 104; // back to configuration mode
inline constexpr int kAcqProperties = 105;
inline constexpr int kPrintPressureGraphs = 106;
inline constexpr int kPreviewPressureGraphs = 107;
inline constexpr int kPrint = 108;
inline constexpr int kPrintPreview = 109;
inline constexpr int kPrinterSetup = 110;
inline constexpr int kDcChannelSetup = 111;
inline constexpr int kModStartLogging = 112;
inline constexpr int kModEndLogging = 113;
inline constexpr int kSelectModule = 114;
inline constexpr int kPressureGraph1 = 120; // 120 to 123 for graphs 1 to 4
inline constexpr int kPressureGraph4 = 123;
inline constexpr int kGraph = 130;
inline constexpr int kGraphSetup = 131;
inline constexpr int kGraphZoomAll = 132;
inline constexpr int kAxis1Label = 133; // 133 to 140: label and enable of axes 1 to 4
inline constexpr int kAxis4Enable = 140;
inline constexpr int kGraphCoordinates = 141;
inline constexpr int kListing = 142;

// Configuration.
inline constexpr int kOpenConfig = 220;
inline constexpr int kSaveConfig = 221;
inline constexpr int kPrintConfig = 222;
inline constexpr int kViewDataFile = 223;
inline constexpr int kProperties = 224;
inline constexpr int kAcquisition = 225;
inline constexpr int kTowAcquisition = 226;
inline constexpr int kModuleAcquisition = 227;
inline constexpr int kCheckInstrument = 230;
inline constexpr int kConfigureInstrument = 231;
inline constexpr int kDeploy = 238;
inline constexpr int kHomeSampler = 240;
inline constexpr int kFireBottle = 241;
inline constexpr int kEnableSampler = 242;
inline constexpr int kContinuousDataMode = 251;
inline constexpr int kRetrieveData = 260;

// Every mode.
inline constexpr int kCommunicationsWindow = 300;
inline constexpr int kPortSetup = 301;
inline constexpr int kNavigationPortSetup = 303;
inline constexpr int kHelpContents = 304;
inline constexpr int kAbout = 305;
inline constexpr int kExit = 24310;

// The commands the application carries out itself, whatever the client window.
constexpr bool isApplicationCommand(int command) {
    switch (command) {
    case kConfiguration:
    case kAcquisition:
    case kTowAcquisition:
    case kModuleAcquisition:
    case kHelpContents:
    case kAbout:
    case kExit:
        return true;
    default:
        return false;
    }
}

} // namespace cmd

// How a client window wants one of its menu commands shown right now.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

} // namespace halcyx
