#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace halcyx {

// The serial devices present under a device folder, for mapping COM numbers to them:
// ttyS*, ttyUSB* and ttyACM* in the folder itself, and the stable names under
// serial/by-id/ (a USB adapter keeps its by-id name when it is plugged into another
// socket). Sorted by name, built-in ports by their number. Empty when nothing is there.
std::vector<std::string> listSerialDevices(const std::filesystem::path& devFolder = "/dev");

} // namespace halcyx
