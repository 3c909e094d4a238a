#include "sim/ScanText.h"

#include "sim/InstrumentSettings.h"

#include <cstdio>

namespace halcyx::sim::scan_text {

std::string number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string clockAndDate(std::int64_t epochSeconds) {
    return clockText(epochSeconds) + ' ' + dateText(epochSeconds);
}

std::string join(const std::vector<std::string>& fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty()) {
            line += ", ";
        }
        line += field;
    }
    return line;
}

} // namespace halcyx::sim::scan_text
