#pragma once

#include "core/app/ClientWindows.h"
#include "gui/app/ClientWnd.h"
#include "gui/app/WindowContext.h"

namespace halcyx {

// The client window of profile and towed acquisition. The application hands it the
// instrument's product code and channels as it enters the mode; the window keeps its state
// across switches until the program ends.
class AcqWnd : public ClientWnd, public AcqClient {
    Q_OBJECT
public:
    explicit AcqWnd(WindowContext& context, QWidget* parent = nullptr);

    bool logging() const override { return logging_; }
    void setTowed(bool towed) override { towed_ = towed; }
    void setProductCode(ProductCode product) override { product_ = product; }
    void setChannelMask(ChannelMask mask) override { channelMask_ = mask; }
    void setSamplingRate(float scansPerSecond) override { samplingRate_ = scansPerSecond; }
    bool closeDataPort() override;
    void openDataPort() override;
    void openNavigationPort() override;
    void setShown(bool shown) override { setVisible(shown); }

    bool towed() const { return towed_; }
    ProductCode productCode() const { return product_; }
    ChannelMask channelMask() const { return channelMask_; }
    // [scans/s]
    float samplingRate() const { return samplingRate_; }

    // Set while a cast or logging session is open.
    void setLogging(bool logging) { logging_ = logging; }

protected:
    WindowContext& context_;

private:
    bool towed_ = false;
    bool logging_ = false;
    ProductCode product_ = ProductCode::None;
    ChannelMask channelMask_ = 0;
    float samplingRate_ = 0.0f;
};

} // namespace halcyx
