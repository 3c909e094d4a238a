#pragma once

#include "sim/Faults.h"
#include "sim/InstrumentSettings.h"
#include "sim/LinePeer.h"
#include "sim/LoggingMemory.h"
#include "sim/Sample.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace halcyx::sim {

// What every simulated CTD instrument does the same way: it echoes each character it
// receives (never the carriage return that ends a command), assembles the command line,
// and answers in open mode; in run mode it samples, sends scans on request or continuously,
// and while it streams it listens only for "S". It also keeps the settings, the clock, the
// logging memory, and the address mode. The models add their channels, scan layouts and
// commands of their own.
//
// Answers continue the echoed line and end with CR LF, so that the short reads of the
// program ("S/N = 1234M" within 18 bytes) hold the whole value.
class Instrument : public LinePeer {
public:
    enum class Mode { Open, Run, Interval, DelayedStart };

    // 2026-12-06 12:00:00 UTC: the instrument clock's time when the simulation starts.
    static constexpr std::int64_t kDefaultClockEpoch = 1796558400;
    static constexpr std::size_t kMaxCommandChars = 80;
    static constexpr std::size_t kMaxDumpBytes = 32768;

    struct Config {
        Identity identity;
        InstrumentSettings settings;
        std::uint32_t baud = 9600;                    // [bit/s]
        std::int64_t clockEpoch = kDefaultClockEpoch; // [s since 1970] at simulation start
        InstrumentFaults faults;
    };

    void start(SimTime t) override;
    void receive(std::uint8_t byte, SimTime t) override;
    std::uint32_t baud() const override { return baud_; }

    virtual std::string modelName() const = 0;

    Mode mode() const { return mode_; }
    bool streaming() const { return streaming_; }
    bool inAddressMode() const { return addressMode_; }
    Identity& identity() { return identity_; }
    const Identity& identity() const { return identity_; }
    // The working settings, and those stored by "***E" (the ones used at power-up).
    InstrumentSettings& settings() { return settings_; }
    const InstrumentSettings& settings() const { return settings_; }
    const InstrumentSettings& storedSettings() const { return stored_; }
    InstrumentFaults& faults() { return faults_; }
    LoggingMemory& memory() { return memory_; }
    // The instrument clock at simulated time t [s since 1970-01-01 00:00:00].
    std::int64_t clockSeconds(SimTime t) const;
    // Bytes of one logged scan with the present channels.
    std::size_t bytesPerScan() const;
    // Fills the memory with scans as if logged one sampling interval apart from time 0.
    void preloadMemory(int scans);

protected:
    explicit Instrument(Config config);

    virtual int channelCount() const = 0;
    virtual int dcChannelCount() const = 0;
    // Time between two samples [ns].
    virtual SimTime sampleInterval() const = 0;
    // What the sensors read at time t [ns].
    virtual Sample sampleAt(SimTime t) const = 0;
    // The ASCII scan line, without its CR LF.
    virtual std::string scanLine(const Sample& s) const = 0;
    // The binary record the logging memory keeps.
    virtual std::string memoryRecord(const Sample& s) const = 0;
    // The firmware knows the averaging settings ("AVGI").
    virtual bool hasAveraging() const = 0;
    // The memory settings shown by "RDM", ending with the bytes per scan.
    virtual std::string memoryLayoutText() const = 0;
    // How long "ZMEM" takes [ns].
    virtual SimTime zeroMemoryDuration() const = 0;
    // Commands of the model; true when the line was one of them (answered or refused).
    virtual bool modelCommand(const std::string& line, SimTime t) = 0;

    // Sends answer text at time t [ns].
    void reply(SimTime t, std::string_view text) { send(t, text); }
    void refuse(SimTime t);
    // Sends prompt and hands the next line to apply; an empty line keeps the value.
    void offerChange(SimTime t, std::string_view prompt, bool (*valid)(std::string_view),
                     std::function<void(const std::string&, SimTime)> apply);

private:
    using Dialogue = std::function<void(const std::string&, SimTime)>;

    bool watchAddress(std::uint8_t byte, SimTime t);
    void echo(std::uint8_t byte, SimTime t);
    bool mayBecomeQuietCommand(const std::string& line) const;
    void complete(const std::string& line, SimTime t);
    void execute(const std::string& line, SimTime t);
    bool isRefused(const std::string& line) const;
    void modeCommand(const std::string& line, SimTime t);

    // InstrumentCommands.cpp: the open-mode queries and settings.
    bool identityQuery(const std::string& line, SimTime t);
    bool channelCommand(const std::string& line, SimTime t);
    bool timeCommand(const std::string& line, SimTime t);
    void askDelayedTime(SimTime t);
    bool outputCommand(const std::string& line, SimTime t);
    bool memoryCommand(const std::string& line, SimTime t);
    void dump(SimTime t);

    void startStreaming(SimTime t);
    void startSampling(SimTime t);
    void stopSampling();
    SimTime samplingStart(SimTime t) const;
    SimTime nextSampleAfter(SimTime previous) const;
    void takeSample(SimTime t);

    std::uint32_t baud_;
    std::int64_t clockEpoch_;
    std::int64_t clockOffset_ = 0; // [s] set through "TIME" and "DATE"
    Identity identity_;
    InstrumentSettings settings_;
    InstrumentSettings stored_;
    InstrumentFaults faults_;
    LoggingMemory memory_;

    Mode mode_ = Mode::Open;
    bool streaming_ = false;
    bool addressMode_ = false;
    bool selected_ = false; // addressed while in address mode
    std::string address_;   // "#Mn" being received
    std::string line_;
    bool overflow_ = false;
    bool dumpSession_ = false; // "DLEN" given and no other command since
    bool echoHeld_ = false;    // the line so far was not echoed
    Dialogue dialogue_;
    SimTime samplingOrigin_ = 0;

    long dumpScans_ = 0;   // "DLEN"
    long dumpedBytes_ = 0; // sent by "BDMP" since power-up
};

} // namespace halcyx::sim
