// Finding the serial devices a COM number can be mapped to.
#include "core/instrument/SerialDeviceList.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace halcyx {
namespace {

TEST(ListSerialDevices, FindsBuiltInUsbAndStableNamesInNumberOrder) {
    const auto dev =
        std::filesystem::temp_directory_path() / ("halcyx-devlist-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dev);
    std::filesystem::create_directories(dev / "serial" / "by-id");
    for (const char* name : {"ttyS10", "ttyS2", "ttyUSB0", "ttyACM1", "tty", "ttyS", "null",
                             "serial/by-id/usb-FTDI_FT232R-if00-port0"})
        std::ofstream(dev / name).put('\n');

    const std::string d = dev.string();
    EXPECT_EQ(listSerialDevices(dev),
              (std::vector<std::string>{d + "/ttyACM1", d + "/ttyS2", d + "/ttyS10", d + "/ttyUSB0",
                                        d + "/serial/by-id/usb-FTDI_FT232R-if00-port0"}));
    std::filesystem::remove_all(dev);
    EXPECT_TRUE(listSerialDevices(dev).empty()) << "a missing folder lists nothing";
}

} // namespace
} // namespace halcyx
