#pragma once

#include "app/ClientWindows.h"
#include "app/ClientWnd.h"
#include "app/WindowContext.h"

namespace halcyx {

// The client window of configuration mode. It owns the instrument port while the program is
// in this mode and keeps what is known about the instrument: its product code, the channels
// it sends and its sampling-rate choice.
class ConfigWnd : public ClientWnd, public ConfigClient {
    Q_OBJECT
public:
    explicit ConfigWnd(WindowContext& context, QWidget* parent = nullptr);

    int productCode() const override { return product_; }
    std::uint32_t channelMask() const override { return channelMask_; }
    SamplingRateFlags samplingRateFlags() const override { return samplingRates_; }
    void readInstrumentSettings() override;
    void enterRunMode() override;
    bool closePort() override;
    bool openPortFromSettings() override;
    void requestOpenMode() override;
    void setShown(bool shown) override { setVisible(shown); }

    // Set by instrument detection, reading the settings and loading a configuration file.
    void setProductCode(int product) { product_ = product; }
    void setChannelMask(std::uint32_t mask) { channelMask_ = mask; }
    void setSamplingRateFlags(const SamplingRateFlags& flags) { samplingRates_ = flags; }

    bool onCommand(int command) override;
    CommandState commandState(int command) const override;

protected:
    WindowContext& context_;

private:
    void showSettings();

    int product_ = 0;
    std::uint32_t channelMask_ = 0;
    SamplingRateFlags samplingRates_{};
};

} // namespace halcyx
