#pragma once

#include <map>
#include <set>
#include <string>

namespace halcyx::sim {

// The water sampler behind a Vexa: a carousel of bottles fired one after another. "RHPS"
// homes it to the first bottle; "FIRE" closes the bottle in position and moves on. A bottle
// that is already closed answers "BAF"; faults can be set per bottle.
class Sampler {
public:
    enum class Fault { NoConfirmation, LowVoltage, AlreadyFired };
    static constexpr int kBottles = 12;

    bool attached = true;

    // Answers of the sampler's two commands (without line ends).
    std::string home();
    std::string fire();

    // The given bottle (1..kBottles) fails this way when fired.
    void setFault(int bottle, Fault fault) { faults_[bottle] = fault; }
    int position() const { return position_; }
    bool fired(int bottle) const { return fired_.count(bottle) != 0; }

private:
    int position_ = 1;
    std::set<int> fired_;
    std::map<int, Fault> faults_;
};

} // namespace halcyx::sim
