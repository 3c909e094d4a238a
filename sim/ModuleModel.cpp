#include "sim/ModuleModel.h"

#include "sim/Ocean.h"
#include "sim/ScanText.h"

#include <algorithm>
#include <utility>

namespace halcyx::sim {

namespace {
constexpr int kValueTag = 1;
constexpr std::size_t kMaxCommandChars = 40;
} // namespace

ModuleModel::ModuleModel(Kind kind, std::uint32_t baud) : kind_(kind), baud_(baud) {}

void ModuleModel::start(SimTime t) {
    running_ = streaming_ = runningAtPowerUp;
    schedule(t + kValueInterval, kValueTag, [this](SimTime at) { sendValue(at); });
}

double ModuleModel::valueAt(SimTime t) const {
    const double seconds = static_cast<double>(t) / kNanosPerSecond;
    const Sample s = Ocean::water(Ocean::mooredPressure(seconds, kMooringDbar));
    switch (kind_) {
    case Kind::Conductivity:
        return s.conductivity;
    case Kind::Temperature:
        return s.temperature;
    case Kind::Pressure:
        break;
    }
    return s.pressure;
}

void ModuleModel::sendValue(SimTime t) {
    if (streaming_ && line_.empty() && backlog(t) == 0) {
        send(t, scan_text::number("%8.4f", valueAt(t)) + "\r\n");
    }
    schedule(t + kValueInterval, kValueTag, [this](SimTime at) { sendValue(at); });
}

void ModuleModel::receive(std::uint8_t byte, SimTime t) {
    if (silent || byte == '\n') {
        return;
    }
    if (streaming_ && byte == 'S' && line_.empty()) {
        // The stream stops at once; the 'S' may still begin "SC", which restarts it.
        streaming_ = false;
        line_ = "S";
        return;
    }
    if (byte == '\r') {
        complete(std::exchange(line_, {}), t);
        return;
    }
    send(t, std::string(1, static_cast<char>(byte)));
    if (line_.size() < kMaxCommandChars) {
        line_ += static_cast<char>(byte);
    }
}

void ModuleModel::complete(const std::string& line, SimTime t) {
    if (line == "mode") {
        send(t, running_ ? " run\r\n" : " idle\r\n");
    } else if (line == "***r") {
        running_ = streaming_ = true;
        send(t, "\r\nrun\r\n");
    } else if (line == "SC" && running_) {
        streaming_ = true;
        send(t, "\r\n");
    } else if (line.empty() ||
               std::all_of(line.begin(), line.end(), [](char c) { return c == 'S'; })) {
        streaming_ = false;
        send(t, "\r\n");
    } else {
        send(t, "\r\nBAD COMMAND\r\n");
    }
}

} // namespace halcyx::sim
