#pragma once

#include "core/base/ModelTraits.h"
#include "sim/Instrument.h"
#include "sim/Sampler.h"

namespace halcyx::sim {

// A profiling Vexa: six primary channels (conductivity, temperature, pressure, time,
// salinity, sound velocity) and six (Vexa 2) or eight (Vexa 3) auxiliary DC channels,
// sampled at one of five rates while it is lowered and raised through the water column.
// A Vexa 3 with firmware newer than 1.9 (other than the "I" builds) averages and keeps
// scaled 16-bit values in its memory; the others keep floats. It carries the water sampler.
class VexaModel : public Instrument {
public:
    static constexpr int kDefaultTransducerRange = 1000; // [dbar]

    // product is Vexa2 or Vexa3.
    VexaModel(ProductCode product, Config config);
    // As delivered: an identity the program recognises as this generation (Vexa 2 "1234M"
    // firmware "1.50", Vexa 3 "1634M" firmware "2.10") and the usual channels.
    static Config factoryConfig(ProductCode product);

    std::string modelName() const override;
    Sampler& sampler() { return sampler_; }
    // Range of the pressure transducer ("A1003") [dbar].
    int transducerRange = kDefaultTransducerRange;
    bool scaledMemory() const;

protected:
    int channelCount() const override { return modelTraits(product_).primaryChannels; }
    int dcChannelCount() const override { return modelTraits(product_).dcChannels; }
    SimTime sampleInterval() const override;
    Sample sampleAt(SimTime t) const override;
    std::string scanLine(const Sample& s) const override;
    std::string memoryRecord(const Sample& s) const override;
    bool hasAveraging() const override { return scaledMemory(); }
    std::string memoryLayoutText() const override;
    SimTime zeroMemoryDuration() const override;
    bool modelCommand(const std::string& line, SimTime t) override;

private:
    ProductCode product_;
    Sampler sampler_;
};

} // namespace halcyx::sim
