#include "sim/Sampler.h"

namespace halcyx::sim {

std::string Sampler::home() {
    if (!attached) {
        return "NO SAMPLER";
    }
    position_ = 1;
    return "TEST OK";
}

std::string Sampler::fire() {
    if (!attached) {
        return "NO CONF";
    }
    const int bottle = position_;
    position_ = position_ % kBottles + 1;
    if (const auto fault = faults_.find(bottle); fault != faults_.end()) {
        switch (fault->second) {
        case Fault::NoConfirmation:
            return "NO CONF";
        case Fault::LowVoltage:
            return "LV";
        case Fault::AlreadyFired:
            return "BAF";
        }
    }
    if (!fired_.insert(bottle).second) {
        return "BAF";
    }
    return "BOTTLE " + std::to_string(bottle) + " FIRED";
}

} // namespace halcyx::sim
