#include "core/instrument/SettingsReader.h"

#include "core/instrument/Answer.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/Format.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/RecordFields.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

namespace halcyx {

namespace {

constexpr std::size_t kSettingAnswerBytes = 100;
constexpr std::size_t kRateAnswerBytes = 50;
constexpr std::size_t kPowerUpAnswerBytes = 50;
constexpr std::uint32_t kTimingQueryResponses = 3; // the timing commands answer slowly

constexpr std::size_t kTimeChars = 8;    // hh:mm:ss
constexpr std::size_t kDateChars = 10;   // mm-dd-yyyy
constexpr std::size_t kAverageChars = 5; // mm:ss
constexpr std::size_t kAverageSkip = 1;  // the blank between "=" and the value
constexpr std::string_view kNotSet = "Not Set";

void readError(Operator& op, const char* text) {
    op.message(text, "COM Read Error", Icon::Stop);
}

// One step of the sequence: names it, writes the command and reads what the instrument
// answers within pauseMs and the byte limit.
std::string ask(CommandLayer& layer, ProgressBox& box, const char* title, const char* command,
                std::uint32_t pauseMs, std::size_t maxBytes) {
    box.line1(title);
    box.line2(command);
    layer.write(std::string(command) + "\r");
    layer.port().Sleep(pauseMs);
    return layer.readAnswer(maxBytes);
}

// Queries one channel after another; an answered channel sets or clears its flag and,
// when on, its bit in the mask. An unanswered one keeps its flag and adds no bit.
void readChannels(CommandLayer& layer, ProgressBox& box, const char* keyFormat,
                  std::span<std::uint16_t> flags, ChannelMask (*bitOf)(int), ChannelMask& mask) {
    for (std::size_t i = 0; i < flags.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string key = formatText(keyFormat, n);
        box.line2(key);
        const auto on = layer.queryChannel(key);
        if (!on)
            continue;
        flags[i] = *on ? 1 : 0;
        if (*on)
            mask |= bitOf(n);
    }
    layer.pauseResponse();
    layer.purgeReceive();
}

// Interprets the answer of a timing query: "is " followed by the value, or "NO " for a
// setting that is not set. A value cut short is a read error like a missing marker.
void takeTiming(Operator& op, const std::string& answer, std::size_t chars,
                InstrumentSettings& settings, SharedText field, const char* error) {
    if (answer.empty())
        return;
    if (contains(answer, "is ")) {
        if (const auto value = fieldAfter(answer, "is ", chars)) {
            setInAll(settings, field, *value);
            return;
        }
    } else if (contains(answer, "NO ")) {
        setInAll(settings, field, kNotSet);
        return;
    }
    readError(op, error);
}

// ITIME and OTIME: the instrument shows the value and offers to change it; a bare
// return keeps it.
void readTiming(CommandLayer& layer, ProgressBox& box, const char* title, const char* command,
                InstrumentSettings& settings, SharedText field, const char* error) {
    const std::string answer =
        ask(layer, box, title, command, kTimingQueryResponses * layer.delays().responseMs,
            kSettingAnswerBytes);
    layer.write("\r");
    takeTiming(layer.op(), answer, kTimeChars, settings, field, error);
    layer.purgeReceive();
}

// DTIME shows the delayed date and asks for a new one; the return that keeps it brings
// up the delayed time, and a second return keeps that.
void readDelayedStart(CommandLayer& layer, ProgressBox& box, InstrumentSettings& settings) {
    const std::uint32_t timingPause = kTimingQueryResponses * layer.delays().responseMs;
    takeTiming(
        layer.op(),
        ask(layer, box, "Reading Delayed Date...", "DTIME", timingPause, kSettingAnswerBytes),
        kDateChars, settings, kDelayedDate, "Error reading Delayed Start Date!");
    layer.purgeReceive();

    box.line1("Reading Delayed Time...");
    layer.write("\r");
    layer.port().Sleep(timingPause);
    const std::string answer = layer.readAnswer(kSettingAnswerBytes);
    layer.write("\r");
    takeTiming(layer.op(), answer, kTimeChars, settings, kDelayedTime,
               "Error reading Delayed Start Time!");
    layer.purgeReceive();
}

void readSamplingRate(CommandLayer& layer, ProgressBox& box, InstrumentSettings& settings) {
    const std::string answer = ask(layer, box, "Reading Sampling Rate...", "RT",
                                   layer.delays().responseMs / 2, kRateAnswerBytes);
    if (answer.empty())
        return;
    const auto index = numberAfter(answer, "TAU =");
    if (!index) {
        readError(layer.op(), "Error reading Sampling Rate!");
        return;
    }
    settings.samplingRateIndex = *index;
    settings.vexa.samplingRate.fill(0);
    if (*index >= 0 && *index < kSamplingRateCount)
        settings.vexa.samplingRate[static_cast<std::size_t>(*index)] = 1;
}

void readOutputFormat(CommandLayer& layer, ProgressBox& box, InstrumentSettings& settings) {
    const std::string answer = ask(layer, box, "Reading Output Data Format...", "RSOT",
                                   layer.delays().responseMs / 2, kSettingAnswerBytes);
    if (!answer.empty())
        setInAll(settings, kScaledOutput, contains(answer, "scaled output set"));
}

void readAverage(CommandLayer& layer, ProgressBox& box, InstrumentSettings& settings) {
    const std::string answer = ask(layer, box, "Reading Average Length...", "AVGI",
                                   layer.delays().responseMs, kSettingAnswerBytes);
    if (const auto value = fieldAfter(answer, "=", kAverageChars, kAverageSkip))
        setAverageInAll(settings, *value);
    layer.pauseResponse();
    // Keeps the value the instrument offered to change.
    layer.port().WriteByte('\r');
}

void readPowerUpOutput(CommandLayer& layer, ProgressBox& box, InstrumentSettings& settings) {
    const std::string answer = ask(layer, box, "Checking Continuous on Power Up...", "RCOP",
                                   layer.delays().responseMs, kPowerUpAnswerBytes);
    // The instrument spells it so.
    setInAll(settings, kContinuousOutput, contains(answer, "continous set"));
}

} // namespace

void ReadSettings(CommandLayer& layer, const InstrumentRecord& record,
                  InstrumentSettings& settings) {
    Operator& op = layer.op();
    WaitCursor wait(op);
    if (!layer.EnsureOpen(kRunToOpenFailed))
        return;
    ProgressBox box(op);
    box.line1("Reading Channels...");
    settings.channelMask = 0;
    if (isIdentified(record.product)) {
        readChannels(layer, box, "CH%d", primaryFlags(settings, record.product), primaryChannelBit,
                     settings.channelMask);
    }
    if (isVexa(record.product)) {
        box.line1("Reading DC Channels...");
        readChannels(layer, box, "DC%d", dcFlags(settings, record.product), dcChannelBit,
                     settings.channelMask);
    }
    readTiming(layer, box, "Reading Interval Time...", "ITIME", settings, kIntervalTime,
               "Error reading Interval Time!");
    readTiming(layer, box, "Reading ON Time...", "OTIME", settings, kOnTime,
               "Error reading ON Time!");
    readDelayedStart(layer, box, settings);
    if (!isTavrin(record.product))
        readSamplingRate(layer, box, settings);
    readOutputFormat(layer, box, settings);
    if (record.averaging)
        readAverage(layer, box, settings);
    readPowerUpOutput(layer, box, settings);
}

void ReadClock(CommandLayer& layer, InstrumentSettings& settings) {
    Operator& op = layer.op();
    if (const auto time = layer.queryClock("TIME"))
        settings.instrumentTime = *time;
    else
        op.message("ERROR - Reading Instrument Time", "Communication Error", Icon::Stop);
    if (const auto date = layer.queryClock("DATE"))
        settings.instrumentDate = *date;
    else
        op.message("ERROR - Reading Instrument Date", "Communication Error", Icon::Stop);
}

} // namespace halcyx
