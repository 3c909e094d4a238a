#pragma once

#include "sim/LinePeer.h"

#include <string>

namespace halcyx::sim {

// A single-parameter sensor module (conductivity, temperature or pressure) moored in the
// water. "***r" puts it into run mode, where it streams one value per line every second;
// "S" stops the stream and "SC" starts it again (also while it streams); "mode" answers "run" or
// "idle". It echoes what it receives and holds its stream back while a command is being typed.
class ModuleModel : public LinePeer {
public:
    enum class Kind { Conductivity, Temperature, Pressure };

    static constexpr double kMooringDbar = 20.0; // [dbar]
    static constexpr SimTime kValueInterval = kNanosPerSecond;

    explicit ModuleModel(Kind kind, std::uint32_t baud = 9600);

    void start(SimTime t) override;
    void receive(std::uint8_t byte, SimTime t) override;
    std::uint32_t baud() const override { return baud_; }

    bool running() const { return running_; }
    bool streaming() const { return streaming_; }
    // The value the module measures at time t [ns] (its kind's unit).
    double valueAt(SimTime t) const;

    bool runningAtPowerUp = false;
    bool silent = false; // fault: answers nothing

private:
    void complete(const std::string& line, SimTime t);
    void sendValue(SimTime t);

    Kind kind_;
    std::uint32_t baud_;
    bool running_ = false;
    bool streaming_ = false;
    std::string line_;
};

} // namespace halcyx::sim
