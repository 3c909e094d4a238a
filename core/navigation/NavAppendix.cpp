#include "core/navigation/NavAppendix.h"

#include "core/instrument/Format.h"

#include <cstdint>

namespace halcyx {

namespace {
constexpr int kFirstYear = 1900; // std::tm counts years from here
constexpr int kFirstMonth = 1;   // and months from 0
} // namespace

void appendNavigation(std::string& line, NavFix& fix, TimeStampChoice stamp, const std::tm& local) {
    if (fix.positionUnknown())
        fix.forgetPosition();
    line += formatText(", %.3f, %c, %.3f, %c", fix.latitude, fix.latHemisphere, fix.longitude,
                       fix.lonHemisphere);
    if (stamp.enabled)
        appendTimeStamp(line, fix, stamp.pcTime, local);
}

void appendTimeStamp(std::string& line, NavFix& fix, bool pcTime, const std::tm& local) {
    if (pcTime) {
        fix.hour = static_cast<std::int16_t>(local.tm_hour);
        fix.minute = static_cast<std::int16_t>(local.tm_min);
        fix.second = static_cast<std::int16_t>(local.tm_sec);
        fix.day = static_cast<std::int16_t>(local.tm_mday);
        fix.month = static_cast<std::int16_t>(local.tm_mon + kFirstMonth);
        fix.year = static_cast<std::int16_t>(local.tm_year + kFirstYear);
    }
    line += formatText(", %02d:%02d:%02d %d-%d-%d", fix.hour, fix.minute, fix.second, fix.month,
                       fix.day, fix.year);
}

} // namespace halcyx
