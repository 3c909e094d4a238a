#include "sim/InstrumentSettings.h"

#include <cctype>
#include <cstdio>
#include <ctime>

namespace halcyx::sim {

namespace {

// Digits at the given positions and separators elsewhere, as in "99:99:99".
bool matches(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

int number(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

std::tm brokenDown(long long epochSeconds) {
    const auto t = static_cast<std::time_t>(epochSeconds);
    std::tm parts{};
    gmtime_r(&t, &parts);
    return parts;
}

} // namespace

bool isClockText(std::string_view text) {
    return matches(text, "99:99:99") && number(text, 0) < 24 && number(text, 3) < 60 &&
           number(text, 6) < 60;
}

bool isDateText(std::string_view text) {
    if (!matches(text, "99-99-9999")) {
        return false;
    }
    const int month = number(text, 0);
    const int day = number(text, 3);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

bool isMinutesText(std::string_view text) {
    return matches(text, "99:99") && number(text, 3) < 60;
}

long clockTextSeconds(std::string_view text) {
    return number(text, 0) * 3600L + number(text, 3) * 60L + number(text, 6);
}

std::string clockText(long long epochSeconds) {
    const std::tm t = brokenDown(epochSeconds);
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string dateText(long long epochSeconds) {
    const std::tm t = brokenDown(epochSeconds);
    char text[48];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
    return text;
}

} // namespace halcyx::sim
