#pragma once

#include "core/serial/CommPort.h"
#include "core/settings/Catalogue.h"
#include "core/settings/Profile.h"

#include <array>
#include <cstdint>
#include <string>

namespace halcyx {

class Operator;

// How every window reads its port from the settings file: the COM number, the baud rate
// checked against the rates the setup dialogs offer, and the device behind a COM number.

// The only rates the setup dialogs offer and write [baud].
inline constexpr std::array<std::uint32_t, 9> kBaudRates{110,  300,  600,   1200, 2400,
                                                         4800, 9600, 14400, 19200};
// The rate used when the settings file holds an unknown one [baud].
inline constexpr std::uint32_t kFallbackBaudRate = 9600;

bool isBaudRate(long long value);

// The COM number 1..4 of a port setting (kInstrumentPort, kNavPort, kNavPortModule); any
// other value quietly reads as the setting's default.
int readPortNumber(const Profile& profile, const IntSetting& portSetting);

// The baud rate of a baud setting (kInstrumentBaud, kNavBaud) [baud]. A rate outside
// kBaudRates tells the operator "Bad Baudrate value in Halcyx.ini, default to 9600" and
// gives 9600; the file keeps its value, so the message comes at every reading.
std::uint32_t readBaudRate(const Profile& profile, const IntSetting& baudSetting, Operator& op);

// The device path of COM 1..4 from the PORTS section; empty for other numbers.
std::string devicePathForPort(const Profile& profile, int port);

// The port-to-device mapping a CommPort opens through; each call reads the file afresh.
CommPort::PathForPort portPathsFrom(Profile profile);

} // namespace halcyx
