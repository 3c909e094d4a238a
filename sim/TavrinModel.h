#pragma once

#include "core/base/ModelTraits.h"
#include "sim/Instrument.h"

namespace halcyx::sim {

// A moored Tavrin: the CT measures conductivity and temperature (CH1, CH2) with an optional
// time field (CH3); the P measures pressure (CH1) with optional time (CH2) and barometer
// (CH3). Both sample once a second and keep scaled 16-bit words in their memory.
class TavrinModel : public Instrument {
public:
    static constexpr double kCtMooringDbar = 10.0; // [dbar]
    static constexpr double kPMooringDbar = 50.0;  // [dbar]

    // product is TavrinCT or TavrinP.
    TavrinModel(ProductCode product, Config config);
    // As delivered: an identity the program recognises as this kind (CT "F0123" firmware
    // "V1.70", P "Q0456" firmware "V1.40") and the usual channels.
    static Config factoryConfig(ProductCode product);

    std::string modelName() const override;

protected:
    int channelCount() const override { return modelTraits(product_).primaryChannels; }
    int dcChannelCount() const override { return modelTraits(product_).dcChannels; }
    SimTime sampleInterval() const override { return kNanosPerSecond; }
    Sample sampleAt(SimTime t) const override;
    std::string scanLine(const Sample& s) const override;
    std::string memoryRecord(const Sample& s) const override;
    bool hasAveraging() const override;
    std::string memoryLayoutText() const override;
    SimTime zeroMemoryDuration() const override;
    bool modelCommand(const std::string& line, SimTime t) override;

private:
    ProductCode product_;
};

} // namespace halcyx::sim
