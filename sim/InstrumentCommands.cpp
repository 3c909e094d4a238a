// The open-mode commands every instrument knows: identity, channels, clock and timing,
// output format, and logging memory.
#include "sim/Instrument.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace halcyx::sim {

namespace {

constexpr int kZeroMemoryTag = 2;

// The number n of a command "<prefix><n>" or "<prefix><n>=<value>", 0 when it is not one.
int channelNumber(const std::string& line, std::string_view prefix, std::string& value) {
    if (!line.starts_with(prefix) || line.size() <= prefix.size()) {
        return 0;
    }
    int n = 0;
    const char* first = line.data() + prefix.size();
    const char* last = line.data() + line.size();
    const auto [end, error] = std::from_chars(first, last, n);
    if (error != std::errc() || end == first) {
        return 0;
    }
    if (end == last) {
        value.clear();
        return n;
    }
    if (*end != '=') {
        return 0;
    }
    value.assign(end + 1, last);
    return n;
}

std::string onOff(bool on) {
    return on ? "on" : "off";
}

} // namespace

bool Instrument::identityQuery(const std::string& line, SimTime t) {
    if (line == "S/N") {
        reply(t, " = " + identity_.serialNumber + "\r\n");
    } else if (line == "VER") {
        reply(t, " = " + identity_.firmware + "\r\n");
    } else if (line == "CDATE") {
        reply(t, " = " + identity_.calibrationDate + "\r\n");
    } else if (line == "ADR") {
        reply(t, " = " + std::to_string(identity_.address) + "\r\n");
    } else if (line == "CAOP") {
        addressMode_ = false;
        selected_ = false;
        reply(t, "\r\nAddress mode cleared\r\n");
    } else {
        return false;
    }
    return true;
}

bool Instrument::channelCommand(const std::string& line, SimTime t) {
    std::string value;
    bool* flag = nullptr;
    std::string name;
    if (const int n = channelNumber(line, "CH", value); n >= 1 && n <= channelCount()) {
        flag = &settings_.channels[static_cast<std::size_t>(n - 1)];
        name = "CH" + std::to_string(n);
    } else if (const int k = channelNumber(line, "DC", value); k >= 1 && k <= dcChannelCount()) {
        flag = &settings_.dcChannels[static_cast<std::size_t>(k - 1)];
        name = "DC" + std::to_string(k);
    } else {
        return false;
    }
    if (line.size() == name.size()) {
        reply(t, " = " + onOff(*flag) + "\r\n");
        return true;
    }
    if (value != "ON" && value != "OFF") {
        refuse(t);
        return true;
    }
    *flag = value == "ON";
    reply(t, "\r\n" + name + " = " + onOff(*flag) + "\r\n");
    return true;
}

bool Instrument::timeCommand(const std::string& line, SimTime t) {
    // Each shows its value and offers to change it; a bare return keeps it.
    const auto interval = [this, t](std::string& setting, std::string_view what) {
        const std::string shown =
            setting.empty() ? " - NO " + std::string(what) + " set\r\n" : " is " + setting + "\r\n";
        offerChange(t, shown + "Change to (hh:mm:ss): ", isClockText,
                    [this, &setting](const std::string& value, SimTime at) {
                        setting = value;
                        reply(at, "\r\nSet to " + value + "\r\n");
                    });
    };
    if (line == "TIME") {
        offerChange(t,
                    " is " + clockText(clockSeconds(t)) + "\r\nChange to (hh:mm:ss): ", isClockText,
                    [this](const std::string& value, SimTime at) {
                        const std::int64_t now = clockSeconds(at);
                        clockOffset_ += clockTextSeconds(value) - (now % 86400 + 86400) % 86400;
                        reply(at, "\r\nSet to " + value + "\r\n");
                    });
    } else if (line == "DATE") {
        offerChange(t,
                    " is " + dateText(clockSeconds(t)) + "\r\nChange to (mm-dd-yyyy): ", isDateText,
                    [this](const std::string& value, SimTime at) {
                        std::tm date{};
                        date.tm_mon = std::stoi(value.substr(0, 2)) - 1;
                        date.tm_mday = std::stoi(value.substr(3, 2));
                        date.tm_year = std::stoi(value.substr(6)) - 1900;
                        const std::int64_t now = clockSeconds(at);
                        const std::int64_t secondsOfDay = (now % 86400 + 86400) % 86400;
                        clockOffset_ += timegm(&date) + secondsOfDay - now;
                        reply(at, "\r\nSet to " + value + "\r\n");
                    });
    } else if (line == "ITIME") {
        interval(settings_.intervalTime, "interval time");
    } else if (line == "OTIME") {
        interval(settings_.onTime, "on time");
    } else if (line == "DTIME") {
        // The delayed start: first the date, then (after its answer) the time.
        const std::string shown = settings_.delayedDate.empty()
                                      ? " - NO delayed start date\r\n"
                                      : " date is " + settings_.delayedDate + "\r\n";
        offerChange(t, shown + "Change to (mm-dd-yyyy): ", isDateText,
                    [this](const std::string& value, SimTime at) {
                        settings_.delayedDate = value;
                        askDelayedTime(at);
                    });
        // A bare return keeps the date and goes on to the time.
        dialogue_ = [this, keep = std::move(dialogue_)](const std::string& value, SimTime at) {
            if (value.empty()) {
                askDelayedTime(at);
            } else {
                keep(value, at);
            }
        };
    } else if (line == "AVGI" && hasAveraging()) {
        offerChange(t, " = " + settings_.averageLength + "\r\nChange to (mm:ss): ", isMinutesText,
                    [this](const std::string& value, SimTime at) {
                        settings_.averageLength = value;
                        reply(at, "\r\nSet to " + value + "\r\n");
                    });
    } else {
        return false;
    }
    return true;
}

void Instrument::askDelayedTime(SimTime t) {
    const std::string shown = settings_.delayedTime.empty()
                                  ? "\r\nNO delayed start time\r\n"
                                  : "\r\nDTIME time is " + settings_.delayedTime + "\r\n";
    offerChange(t, shown + "Change to (hh:mm:ss): ", isClockText,
                [this](const std::string& value, SimTime at) {
                    settings_.delayedTime = value;
                    reply(at, "\r\nSet to " + value + "\r\n");
                });
}

bool Instrument::outputCommand(const std::string& line, SimTime t) {
    const auto scaled = [this] {
        return settings_.scaledOutput ? "scaled output set\r\n" : "scaled output cleared\r\n";
    };
    // The instrument's own spelling.
    const auto continuous = [this] {
        return settings_.continuousOnPowerUp ? "continous set\r\n" : "continous cleared\r\n";
    };
    if (line == "RSOT") {
        reply(t, std::string(" ") + scaled());
    } else if (line == "SSOT" || line == "CSOT") {
        settings_.scaledOutput = line == "SSOT";
        reply(t, std::string("\r\n") + scaled());
    } else if (line == "RCOP") {
        reply(t, std::string(" ") + continuous());
    } else if (line == "SCOP" || line == "CCOP") {
        settings_.continuousOnPowerUp = line == "SCOP";
        reply(t, std::string("\r\n") + continuous());
    } else {
        return false;
    }
    return true;
}

bool Instrument::memoryCommand(const std::string& line, SimTime t) {
    if (line == "CLOG" || line == "SLOG") {
        memory_.setLogging(line == "SLOG");
        reply(t, memory_.logging() ? "\r\nData Logging is set\r\n"
                                   : "\r\nData Logging is cleared\r\n");
    } else if (line == "ZMEM") {
        reply(t, "\r\nZeroing memory...\r\n");
        cancel(kZeroMemoryTag);
        schedule(t + zeroMemoryDuration(), kZeroMemoryTag, [this](SimTime at) {
            memory_.zero();
            reply(at, "\r\nLogging Memory Zeroed\r\n");
        });
    } else if (line == "RDPTR") {
        // The logged pointer alone on its line: the number of bytes logged.
        reply(t, "\r\n" + std::to_string(memory_.loggedBytes()) + "\r\n");
    } else if (line == "RDM") {
        reply(t,
              "\r\n" + memoryLayoutText() + "\r\n" +
                  (memory_.logging() ? "Data Logging is set\r\n" : "Data Logging is cleared\r\n"));
    } else if (line.starts_with("DLEN=")) {
        long scans = 0;
        const char* first = line.data() + 5;
        const auto [end, error] = std::from_chars(first, line.data() + line.size(), scans);
        const std::size_t perScan = bytesPerScan();
        const bool fits =
            perScan != 0 && scans > 0 && static_cast<std::size_t>(scans) <= kMaxDumpBytes / perScan;
        if (error != std::errc() || end != line.data() + line.size() || !fits) {
            refuse(t);
            return true;
        }
        dumpScans_ = scans;
        dumpSession_ = true;
        reply(t, "\r\n");
    } else if (line == "BDMP") {
        dump(t);
    } else {
        return false;
    }
    return true;
}

// Sends the next DLEN scans from the read pointer, with nothing before or after them.
void Instrument::dump(SimTime t) {
    if (dumpScans_ <= 0) {
        refuse(t);
        return;
    }
    std::string bytes = memory_.read(static_cast<std::size_t>(dumpScans_) * bytesPerScan());
    if (faults_.dumpStopsAfterBytes >= 0) {
        const long room = std::max(0L, faults_.dumpStopsAfterBytes - dumpedBytes_);
        bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(room)));
    }
    dumpedBytes_ += static_cast<long>(bytes.size());
    reply(t, bytes);
}

} // namespace halcyx::sim
