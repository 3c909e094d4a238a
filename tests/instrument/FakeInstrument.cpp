#include "tests/instrument/FakeInstrument.h"

namespace halcyx::test {

namespace {

bool isChannelQuery(const std::string& line) {
    return line.size() == 3 && (line.rfind("CH", 0) == 0 || line.rfind("DC", 0) == 0);
}

} // namespace

std::string FakeInstrument::operator()(const std::string& line) {
    if (!dialogue_.empty()) {
        const std::string step = dialogue_;
        dialogue_.clear();
        if (step == "DTIME-date") {
            // The date is kept or replaced; the delayed time is shown next.
            if (!line.empty())
                accepted.push_back(step + " " + line);
            dialogue_ = "DTIME-time";
            return "\nTime is " + delayedTime + "\r\nNew time? ";
        }
        if (!line.empty())
            accepted.push_back(step + " " + line);
        return line.empty() ? "\n>" : "\nOK\r\n>";
    }
    if (refused.count(line))
        return "\nBAD COMMAND\r\n>";
    if (line.empty() || line == "***O")
        return "\nOpen\r\n>";
    if (line == "S/N")
        return " = " + serialNumber + "\r\n";
    if (line == "VER")
        return " = " + firmware + "\r\n";
    if (line == "CDATE")
        return "=" + calDate + "\r\n";
    if (line == "ADR")
        return "\nADR = " + std::to_string(address) + "\r\n>";
    if (line == "TIME" || line == "DATE") {
        dialogue_ = line;
        return line == "TIME" ? "\nTime is " + clockTime + "\r\nNew time? "
                              : "\nDate is " + clockDate + "\r\nNew date? ";
    }
    if (isChannelQuery(line))
        return channelsOn.count(line) ? "\n" + line + " on\r\n" : "\n" + line + " off\r\n";
    if (line == "ITIME" || line == "OTIME" || line == "AVGI") {
        dialogue_ = line;
        if (line == "AVGI")
            return "\nAVG = " + average + "\r\nNew? ";
        return line == "ITIME" ? "\nInterval is " + intervalTime + "\r\nNew? "
                               : "\nOn time is " + onTime + "\r\nNew? ";
    }
    if (line == "DTIME") {
        dialogue_ = "DTIME-date";
        return "\nDate is " + delayedDate + "\r\nNew date? ";
    }
    if (line == "RT")
        return "\nTAU = " + std::to_string(tau) + "\r\n>";
    if (line == "RSOT")
        return scaled ? "\nscaled output set\r\n>" : "\nraw output\r\n>";
    if (line == "RCOP")
        return continuous ? "\ncontinous set\r\n>" : "\ncontinous clear\r\n>";
    if (line == "CAOP" || line == "SMP=OFF")
        return "\n>";
    accepted.push_back(line);
    return "\nOK\r\n>";
}

} // namespace halcyx::test
