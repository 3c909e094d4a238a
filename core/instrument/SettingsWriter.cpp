#include "core/instrument/SettingsWriter.h"

#include "core/instrument/CommandLayer.h"
#include "core/instrument/Format.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/RecordFields.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

namespace halcyx {

namespace {

constexpr std::uint32_t kDelayedStartResponses = 2; // each DTIME prompt takes longer

// One step of the sequence: shows what is sent and sends it as a checked command.
class Sender {
public:
    Sender(CommandLayer& layer, ProgressBox& box) : layer_(layer), box_(box) {}

    bool send(const std::string& command) {
        box_.line2(command);
        return layer_.port().SendCommand(command);
    }

    // A value the instrument asked for: sent with its own carriage return, shown without.
    bool sendAnswer(std::string_view value) {
        box_.line2(std::string(value));
        return layer_.port().SendCommand(std::string(value) + "\r");
    }

    // The instrument asks for a new value after the command word; the value is then
    // sent as a checked command of its own.
    bool sendValue(const char* title, const char* command, std::string_view value) {
        box_.line1(title);
        layer_.write(std::string(command) + "\r");
        layer_.pauseResponse();
        layer_.purgeReceive();
        return sendAnswer(value);
    }

    bool sendChannels(const char* keyFormat, std::span<const std::uint16_t> flags,
                      ChannelMask (*bitOf)(int), ChannelMask& mask) {
        for (std::size_t i = 0; i < flags.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            const bool on = flags[i] != 0;
            if (!send(formatText(keyFormat, n) + (on ? "ON" : "OFF")))
                return false;
            if (on)
                mask |= bitOf(n);
        }
        return true;
    }

    bool sendDelayedStart(std::string_view date, std::string_view time) {
        box_.line1("Setting Delayed Time...");
        layer_.write("DTIME\r");
        layer_.pauseResponse(kDelayedStartResponses);
        layer_.purgeReceive();
        box_.line2(std::string(date));
        layer_.write(std::string(date) + "\r");
        layer_.pauseResponse(kDelayedStartResponses);
        layer_.purgeReceive();
        return sendAnswer(time);
    }

    bool sendFlag(const char* title, const char* command) {
        box_.line1(title);
        return send(command);
    }

private:
    CommandLayer& layer_;
    ProgressBox& box_;
};

bool sendChannelsOf(Sender& sender, ProgressBox& box, ProductCode product,
                    InstrumentSettings& settings, ChannelMask& mask) {
    if (!sender.sendChannels("CH%d=", primaryFlags(settings, product), primaryChannelBit, mask))
        return false;
    if (!isVexa(product))
        return true;
    box.line1("Setting DC Channels...");
    return sender.sendChannels("DC%d=", dcFlags(settings, product), dcChannelBit, mask);
}

bool sendOutputOptions(Sender& sender, ProductCode product, const InstrumentSettings& settings) {
    const bool vexa = isVexa(product);
    const bool scaled = flagOf(settings, product, kScaledOutput);
    if (!(scaled ? sender.sendFlag("Setting Scaled Output Data...", "SSOT")
                 : sender.sendFlag("Clearing Scaled Output Data...", "CSOT")))
        return false;
    if (flagOf(settings, product, kContinuousOutput)) {
        return sender.sendFlag(vexa ? "Setting Continuous RS-232 Data Output..."
                                    : "Setting continuous on power up...",
                               "SCOP");
    }
    return sender.sendFlag(
        vexa ? "Clearing Continuous on power up..." : "Clearing continuous on power up...", "CCOP");
}

// Everything after the channels, in the instrument's order; false at the first failure.
bool sendTimingAndOptions(Sender& sender, const InstrumentRecord& record,
                          const InstrumentSettings& settings) {
    const ProductCode product = record.product;
    if (!sender.sendValue("Setting Interval Time...", "ITIME",
                          textOf(settings, product, kIntervalTime)) ||
        !sender.sendValue("Setting ON Time...", "OTIME", textOf(settings, product, kOnTime)) ||
        !sender.sendDelayedStart(textOf(settings, product, kDelayedDate),
                                 textOf(settings, product, kDelayedTime)))
        return false;
    if (isVexa(product) &&
        !sender.sendFlag("Setting Sampling Rate...",
                         formatText("ST=%d", settings.samplingRateIndex).c_str()))
        return false;
    if (record.averaging) {
        // Spelled so for the Tavrin P.
        const char* title = product == ProductCode::TavrinP ? "Setting Avgering Time..."
                                                            : "Setting Averaging Time...";
        if (!sender.sendValue(title, "AVGI", averageOf(settings, product)))
            return false;
    }
    return sendOutputOptions(sender, product, settings) &&
           sender.sendFlag("Saving Parameters...", "***E");
}

} // namespace

void WriteSettings(CommandLayer& layer, const InstrumentRecord& record,
                   InstrumentSettings& settings) {
    if (!isIdentified(record.product))
        return;
    Operator& op = layer.op();
    WaitCursor wait(op);
    if (!layer.EnsureOpen(kNotInOpenMode))
        return;
    ProgressBox box(op);
    Sender sender(layer, box);
    box.line1("Setting Channels...");
    ChannelMask mask = 0;
    const bool channelsSent = sendChannelsOf(sender, box, record.product, settings, mask);
    settings.channelMask = channelsSent ? mask : 0;
    if (channelsSent)
        sendTimingAndOptions(sender, record, settings);
}

} // namespace halcyx
