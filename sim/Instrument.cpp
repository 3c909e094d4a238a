#include "sim/Instrument.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <utility>

namespace halcyx::sim {

namespace {

constexpr int kSampleTag = 1;
constexpr std::uint8_t kBackspace = 0x08;
constexpr std::uint8_t kDelete = 0x7F;
constexpr std::size_t kAddressLength = 3; // "#M" or "#K" and one digit

// The commands that start sampling, and how the instrument acknowledges them.
struct RunMode {
    const char* command;
    Instrument::Mode mode;
    const char* answer;
};
constexpr RunMode kRunModes[] = {
    {"***R", Instrument::Mode::Run, "\r\nRUN MODE\r\n"},
    {"***I", Instrument::Mode::Interval, "\r\nINTERVAL MODE\r\n"},
    {"***D", Instrument::Mode::DelayedStart, "\r\nDELAYED START MODE\r\n"},
};

// A command made of "S" only stops the output, however many there are.
bool isStopCommand(const std::string& line) {
    return !line.empty() && std::all_of(line.begin(), line.end(), [](char c) { return c == 'S'; });
}

} // namespace

Instrument::Instrument(Config config)
    : baud_(config.baud), clockEpoch_(config.clockEpoch), identity_(std::move(config.identity)),
      settings_(config.settings), stored_(config.settings), faults_(std::move(config.faults)) {}

std::int64_t Instrument::clockSeconds(SimTime t) const {
    return clockEpoch_ + clockOffset_ + t / kNanosPerSecond;
}

std::size_t Instrument::bytesPerScan() const {
    return memoryRecord(Sample{}).size();
}

void Instrument::preloadMemory(int scans) {
    for (int i = 0; i < scans; ++i) {
        memory_.preload(memoryRecord(sampleAt(sampleInterval() * i)));
    }
}

void Instrument::start(SimTime t) {
    addressMode_ = faults_.addressMode;
    if (faults_.streamingAtPowerUp || stored_.continuousOnPowerUp) {
        mode_ = Mode::Run;
        startStreaming(t);
    }
}

void Instrument::receive(std::uint8_t byte, SimTime t) {
    if (faults_.silent) {
        return;
    }
    if (streaming_) {
        // A streaming instrument hears nothing but the stop character.
        if (byte == 'S') {
            streaming_ = false;
        }
        return;
    }
    if (watchAddress(byte, t) || (addressMode_ && !selected_)) {
        return;
    }
    if (byte == '\n') {
        return;
    }
    if (byte == '\r') {
        const std::string line = std::exchange(line_, {});
        complete(line, t);
        return;
    }
    if (byte == kBackspace || byte == kDelete) {
        if (!line_.empty()) {
            line_.pop_back();
            if (!echoHeld_) {
                reply(t, "\b \b");
            }
        }
        return;
    }
    echo(byte, t);
    if (line_.size() < kMaxCommandChars) {
        line_ += static_cast<char>(byte);
    } else {
        overflow_ = true;
    }
}

// "#Mn" and "#Kn" select the instrument with address n while it is in address mode; other
// instruments on the line stay quiet. Outside address mode the probes are ignored.
bool Instrument::watchAddress(std::uint8_t byte, SimTime t) {
    if (address_.empty() && byte != '#') {
        return false;
    }
    const bool fits = (address_.empty() && byte == '#') ||
                      (address_.size() == 1 && (byte == 'M' || byte == 'K')) ||
                      (address_.size() == 2 && std::isdigit(byte) != 0);
    if (!fits) {
        address_.clear();
        return false;
    }
    address_ += static_cast<char>(byte);
    if (address_.size() == kAddressLength) {
        const int called = address_.back() - '0';
        address_.clear();
        if (addressMode_) {
            selected_ = called == identity_.address;
            if (selected_) {
                reply(t, "\r\n");
            }
        }
    }
    return true;
}

// The program takes some answers raw: the logged byte count of "RDPTR" as a bare number, and
// the binary dump of "BDMP" once a dump length is set. An echo in front would spoil them,
// so the instrument holds its echo back while the line can still become one of these
// commands, and sends what it held as soon as the line turns out to be another.
bool Instrument::mayBecomeQuietCommand(const std::string& line) const {
    const auto could = [&line](std::string_view command) {
        return command.starts_with(line) || (command.ends_with('=') && line.starts_with(command));
    };
    return could("RDPTR") || (dumpSession_ && (could("BDMP") || could("DLEN=")));
}

void Instrument::echo(std::uint8_t byte, SimTime t) {
    const std::string line = line_ + static_cast<char>(byte);
    if (mayBecomeQuietCommand(line)) {
        echoHeld_ = true;
        return;
    }
    reply(t, std::exchange(echoHeld_, false) ? line : line.substr(line.size() - 1));
}

void Instrument::complete(const std::string& line, SimTime t) {
    echoHeld_ = false;
    if (line != "BDMP" && !line.starts_with("DLEN=")) {
        dumpSession_ = false;
    }
    if (std::exchange(overflow_, false)) {
        refuse(t);
        return;
    }
    if (dialogue_) {
        std::exchange(dialogue_, {})(line, t);
        return;
    }
    if (isRefused(line)) {
        refuse(t);
        return;
    }
    execute(line, t);
}

bool Instrument::isRefused(const std::string& line) const {
    return std::any_of(faults_.refused.begin(), faults_.refused.end(),
                       [&line](const std::string& refused) {
                           return line == refused || line.starts_with(refused + "=");
                       });
}

void Instrument::refuse(SimTime t) {
    reply(t, "\r\nBAD COMMAND\r\n");
}

void Instrument::offerChange(SimTime t, std::string_view prompt, bool (*valid)(std::string_view),
                             std::function<void(const std::string&, SimTime)> apply) {
    reply(t, prompt);
    dialogue_ = [valid, apply = std::move(apply), this](const std::string& value, SimTime at) {
        if (value.empty()) {
            reply(at, "\r\n");
        } else if (!valid(value)) {
            refuse(at);
        } else {
            apply(value, at);
        }
    };
}

void Instrument::execute(const std::string& line, SimTime t) {
    if (line.starts_with("***")) {
        modeCommand(line, t);
    } else if (isStopCommand(line)) {
        streaming_ = false;
        reply(t, "\r\n");
    } else if (line == "SC") {
        reply(t, "\r\n");
        if (mode_ == Mode::Open) {
            mode_ = Mode::Run;
        }
        startStreaming(t);
    } else if (line == "MODE") {
        reply(t, mode_ == Mode::Open ? "\r\nOPEN MODE\r\n" : "\r\nRUN MODE\r\n");
    } else if (mode_ != Mode::Open) {
        // Run mode: a bare return asks for one scan; only the sampler commands work besides.
        if (line.empty()) {
            reply(t, "\r\n" + scanLine(sampleAt(t)) + "\r\n");
        } else if (!modelCommand(line, t)) {
            refuse(t);
        }
    } else if (line.empty()) {
        reply(t, "\r\nOpen\r\n");
    } else if (!identityQuery(line, t) && !channelCommand(line, t) && !timeCommand(line, t) &&
               !outputCommand(line, t) && !memoryCommand(line, t) && !modelCommand(line, t)) {
        refuse(t);
    }
}

void Instrument::modeCommand(const std::string& line, SimTime t) {
    if (line == "***O") {
        stopSampling();
        mode_ = Mode::Open;
        reply(t, "\r\nOpen\r\n");
    } else if (const auto* run =
                   std::find_if(std::begin(kRunModes), std::end(kRunModes),
                                [&line](const RunMode& m) { return line == m.command; });
               run != std::end(kRunModes)) {
        mode_ = run->mode;
        reply(t, run->answer);
        startSampling(t);
    } else if (line == "***E" && mode_ == Mode::Open) {
        stored_ = settings_;
        reply(t, "\r\nParameters stored\r\n");
    } else {
        refuse(t);
    }
}

void Instrument::startStreaming(SimTime t) {
    streaming_ = true;
    startSampling(t);
}

void Instrument::stopSampling() {
    cancel(kSampleTag);
    streaming_ = false;
}

// Interval and delayed modes sample for the on time at the start of every interval; the
// delayed mode begins at the delayed start date and time of the instrument clock.
SimTime Instrument::samplingStart(SimTime t) const {
    if (mode_ != Mode::DelayedStart || !isDateText(settings_.delayedDate) ||
        !isClockText(settings_.delayedTime)) {
        return t;
    }
    std::tm start{};
    start.tm_mon = std::stoi(settings_.delayedDate.substr(0, 2)) - 1;
    start.tm_mday = std::stoi(settings_.delayedDate.substr(3, 2));
    start.tm_year = std::stoi(settings_.delayedDate.substr(6)) - 1900;
    const std::int64_t startSeconds = timegm(&start) + clockTextSeconds(settings_.delayedTime);
    const std::int64_t wait = startSeconds - clockSeconds(t);
    return wait > 0 ? t + wait * kNanosPerSecond : t;
}

SimTime Instrument::nextSampleAfter(SimTime previous) const {
    const SimTime next = previous + sampleInterval();
    if (mode_ == Mode::Run || !isClockText(settings_.intervalTime) ||
        !isClockText(settings_.onTime)) {
        return next;
    }
    const SimTime interval = clockTextSeconds(settings_.intervalTime) * kNanosPerSecond;
    const SimTime on = clockTextSeconds(settings_.onTime) * kNanosPerSecond;
    if (interval <= 0 || on >= interval) {
        return next;
    }
    const SimTime cycle = (next - samplingOrigin_) / interval;
    return (next - samplingOrigin_) % interval < on ? next
                                                    : samplingOrigin_ + (cycle + 1) * interval;
}

void Instrument::startSampling(SimTime t) {
    cancel(kSampleTag);
    samplingOrigin_ = samplingStart(t);
    const SimTime first =
        mode_ == Mode::DelayedStart ? samplingOrigin_ : samplingOrigin_ + sampleInterval();
    schedule(first, kSampleTag, [this](SimTime at) { takeSample(at); });
}

void Instrument::takeSample(SimTime t) {
    const Sample s = sampleAt(t);
    memory_.append(memoryRecord(s));
    // A scan that finds the transmitter still busy with the last one is not sent.
    if (streaming_ && backlog(t) == 0) {
        reply(t, scanLine(s) + "\r\n");
    }
    schedule(nextSampleAfter(t), kSampleTag, [this](SimTime at) { takeSample(at); });
}

} // namespace halcyx::sim
