#pragma once

#include "core/app/Menus.h"
#include "core/base/ChannelMask.h"
#include "core/base/ModelTraits.h"

#include <array>
#include <cstdint>
#include <string>

namespace halcyx {

// One flag per Vexa sampling-rate choice, in the order of kVexaSamplingRates.
using SamplingRateFlags = std::array<bool, kSamplingRateCount>;

// The configuration window as the mode logic sees it. It owns the instrument port while
// the program is in configuration mode.
class ConfigClient {
public:
    virtual ~ConfigClient() = default;
    virtual ProductCode productCode() const = 0;
    // The set of output channels that are on; 0 while the settings were never read.
    virtual ChannelMask channelMask() const = 0;
    virtual SamplingRateFlags samplingRateFlags() const = 0;
    // Asks the instrument for its settings; reports its own failures.
    virtual void readInstrumentSettings() = 0;
    // Sends the instrument into run mode; reports its own failures.
    virtual void enterRunMode() = 0;
    [[nodiscard]] virtual bool closePort() = 0;
    // Opens the configured port; reports its own failures.
    [[nodiscard]] virtual bool openPortFromSettings() = 0;
    // Requests open mode, which also stops an instrument left sending data.
    virtual void requestOpenMode() = 0;
    virtual void setShown(bool shown) = 0;
};

// The acquisition window (profile and towed) as the mode logic sees it.
class AcqClient {
public:
    virtual ~AcqClient() = default;
    // A cast or logging session is open.
    virtual bool logging() const = 0;
    virtual void setTowed(bool towed) = 0;
    virtual void setProductCode(ProductCode product) = 0;
    virtual void setChannelMask(ChannelMask mask) = 0;
    // The instrument's scan rate in towed mode [scans/s].
    virtual void setSamplingRate(float scansPerSecond) = 0;
    // Stops the scan timer first; false when the port would not close.
    [[nodiscard]] virtual bool closeDataPort() = 0;
    // These report their own failures.
    virtual void openDataPort() = 0;
    virtual void openNavigationPort() = 0;
    // Hiding also hides the window's graphs.
    virtual void setShown(bool shown) = 0;
};

// The module acquisition window as the mode logic sees it.
class ModAcqClient {
public:
    virtual ~ModAcqClient() = default;
    virtual bool logging() const = 0;
    // These report their own failures.
    virtual void openDataPort() = 0;
    virtual void openNavigationPort() = 0;
    virtual void setShown(bool shown) = 0;
};

// Which client window fills the main frame.
enum class ClientKind { Config, Acq, ModAcq };

// Frame icon resources.
inline constexpr int kIconConfiguration = 5000;
inline constexpr int kIconAcquisition = 5001;

// The main frame as the mode logic sees it: its client, menu, icon and title.
class FrameView {
public:
    virtual ~FrameView() = default;
    virtual void setClient(ClientKind client) = 0;
    // Installs a fresh copy of the menu resource.
    virtual void setMenu(MenuId menu) = 0;
    virtual void setIcon(int iconResource) = 0;
    virtual void setTitle(const std::string& title) = 0;
};

} // namespace halcyx
