#include "core/settings/PortSettings.h"

#include "core/prompt/Operator.h"

#include <algorithm>

namespace halcyx {

namespace {
constexpr const char* kBadBaudText = "Bad Baudrate value in Halcyx.ini, default to 9600";
constexpr const char* kIniErrorCaption = "INI FILE ERROR";

bool isPortNumber(int port) {
    return port >= CommPort::kFirstPort && port <= CommPort::kLastPort;
}
} // namespace

bool isBaudRate(long long value) {
    return std::ranges::find(kBaudRates, value) != kBaudRates.end();
}

int readPortNumber(const Profile& profile, const IntSetting& portSetting) {
    const int port = portSetting.read(profile);
    return isPortNumber(port) ? port : portSetting.key.def;
}

std::uint32_t readBaudRate(const Profile& profile, const IntSetting& baudSetting, Operator& op) {
    const int baud = baudSetting.read(profile);
    if (isBaudRate(baud))
        return static_cast<std::uint32_t>(baud);
    op.message(kBadBaudText, kIniErrorCaption, Icon::Stop);
    return kFallbackBaudRate;
}

std::string devicePathForPort(const Profile& profile, int port) {
    if (!isPortNumber(port))
        return {};
    const std::string key = numberedName(kComPortKeyFormat, port);
    const std::string def = CommPort::defaultPathForPort(port);
    return TextKey{key, def, kDevicePathChars}.read(profile, kPortsSection);
}

CommPort::PathForPort portPathsFrom(Profile profile) {
    return [profile = std::move(profile)](int port) { return devicePathForPort(profile, port); };
}

} // namespace halcyx
