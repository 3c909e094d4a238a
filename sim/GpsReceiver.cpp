#include "sim/GpsReceiver.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>

namespace halcyx::sim {

namespace {

constexpr int kTickTag = 1;
constexpr double kMinutesPerDegree = 60.0; // one nautical mile per minute of latitude
constexpr double kSecondsPerHour = 3600.0;

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// ddmm.mmmm (or dddmm.mmmm) and the hemisphere letter.
std::string angle(double degrees, int degreeDigits, char positive, char negative) {
    const double magnitude = std::fabs(degrees);
    int whole = static_cast<int>(magnitude);
    double minutes = (magnitude - whole) * kMinutesPerDegree;
    if (minutes >= 59.99995) { // keep the rounding from printing 60 minutes
        ++whole;
        minutes = 0.0;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%0*d%07.4f,%c", degreeDigits, whole, minutes,
                  degrees >= 0.0 ? positive : negative);
    return text;
}

} // namespace

std::string GpsReceiver::sentence(std::string_view body) {
    unsigned checksum = 0;
    for (const char c : body) {
        checksum ^= static_cast<unsigned char>(c);
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", checksum);
    return "$" + std::string(body) + tail;
}

double GpsReceiver::latitudeAt(SimTime t) const {
    const double hours = static_cast<double>(t) / kNanosPerSecond / kSecondsPerHour;
    const double north = config_.speedKnots * hours * std::cos(radians(config_.courseDegrees));
    return config_.latitude + north / kMinutesPerDegree;
}

double GpsReceiver::longitudeAt(SimTime t) const {
    const double hours = static_cast<double>(t) / kNanosPerSecond / kSecondsPerHour;
    const double east = config_.speedKnots * hours * std::sin(radians(config_.courseDegrees));
    return config_.longitude + east / (kMinutesPerDegree * std::cos(radians(config_.latitude)));
}

std::string GpsReceiver::sentencesAt(SimTime t) const {
    const auto now = static_cast<std::time_t>(config_.clockEpoch + t / kNanosPerSecond);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char time[32];
    std::snprintf(time, sizeof time, "%02d%02d%02d.00", utc.tm_hour, utc.tm_min, utc.tm_sec);
    const std::string lat = angle(latitudeAt(t), 2, 'N', 'S');
    const std::string lon = angle(longitudeAt(t), 3, 'E', 'W');

    std::string out;
    if (config_.otherSentences) {
        out += sentence("GPGGA," + std::string(time) + "," + lat + "," + lon +
                        ",1,08,0.9,0.0,M,-22.0,M,,");
    }
    out += sentence("GPGLL," + lat + "," + lon + "," + time + ",A,A");
    char date[64];
    std::snprintf(date, sizeof date, "%02d,%02d,%04d,00,00", utc.tm_mday, utc.tm_mon + 1,
                  utc.tm_year + 1900);
    out += sentence("GPZDA," + std::string(time) + "," + date);
    return out;
}

void GpsReceiver::start(SimTime t) {
    tick(t);
}

void GpsReceiver::tick(SimTime t) {
    if (t < config_.quietAfter) {
        send(t, sentencesAt(t));
    }
    schedule(t + kNanosPerSecond, kTickTag, [this](SimTime at) { tick(at); });
}

} // namespace halcyx::sim
