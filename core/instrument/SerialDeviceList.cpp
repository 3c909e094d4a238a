#include "core/instrument/SerialDeviceList.h"

#include "core/instrument/Answer.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>
#include <tuple>

namespace halcyx {

namespace {

constexpr std::array<std::string_view, 3> kSerialPrefixes = {"ttyS", "ttyUSB", "ttyACM"};

// Orders "ttyS2" before "ttyS10": by prefix, then by the number after it.
bool deviceLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& path) {
        const std::string name = std::filesystem::path(path).filename().string();
        const auto digits = name.find_first_of("0123456789");
        const std::string_view prefix = std::string_view(name).substr(0, digits);
        const int number =
            digits == std::string::npos ? -1 : leadingNumber(std::string_view(name).substr(digits));
        return std::make_tuple(std::string(std::filesystem::path(path).parent_path()),
                               std::string(prefix), number, name);
    };
    return split(a) < split(b);
}

bool isSerialName(const std::string& name) {
    return std::any_of(kSerialPrefixes.begin(), kSerialPrefixes.end(),
                       [&](std::string_view prefix) {
                           return name.size() > prefix.size() && name.rfind(prefix, 0) == 0;
                       });
}

} // namespace

std::vector<std::string> listSerialDevices(const std::filesystem::path& devFolder) {
    std::vector<std::string> devices;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(devFolder, error)) {
        if (isSerialName(entry.path().filename().string()))
            devices.push_back(entry.path().string());
    }
    const auto byId = devFolder / "serial" / "by-id";
    for (const auto& entry : std::filesystem::directory_iterator(byId, error))
        devices.push_back(entry.path().string());
    std::sort(devices.begin(), devices.end(), deviceLess);
    return devices;
}

} // namespace halcyx
