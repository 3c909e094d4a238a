#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace halcyx {

// The most the terminal takes from the port in one tick [bytes].
inline constexpr std::size_t kTerminalReadBytes = 8192;
// A received line this long is shown as it is and continued on a new line [characters].
inline constexpr std::size_t kTerminalLineChars = 199;
// How often the terminal looks at the port [ms].
inline constexpr int kTerminalTickMs = 50;
// The pause after each character of a standard command [ms].
inline constexpr std::uint32_t kStandardCommandCharMs = 50;

// The commands the terminal offers in its list, in list order; the first sends a bare
// carriage return.
inline constexpr std::array<std::string_view, 37> kStandardCommands = {
    "<CR>",    "***O",   "***R",    "***C",   "***I",    "***D",   "***E",    "RCAL",
    "RDM",     "CH1=ON", "CH1=OFF", "CH2=ON", "CH2=OFF", "CH3=ON", "CH3=OFF", "CH4=ON",
    "CH4=OFF", "CH5=ON", "CH5=OFF", "CH6=ON", "CH6=OFF", "DC1=ON", "DC1=OFF", "DC2=ON",
    "DC2=OFF", "DC3=ON", "DC3=OFF", "DC4=ON", "DC4=OFF", "DC5=ON", "DC5=OFF", "DC6=ON",
    "DC6=OFF", "DC7=ON", "DC7=OFF", "DC8=ON", "DC8=OFF"};

// What a standard command sends before its carriage return: nothing for the first entry.
std::string_view standardCommandText(std::size_t index);

// What the terminal shows for the bytes of one read, and how often it beeps for them.
// Line breaks are '\n'.
struct TerminalText {
    std::string text;
    int beeps = 0;
};

// The text shown for received bytes: a carriage return ends the line, a line feed is
// dropped (so CR LF gives one break), BEL beeps and shows as a blank, a line reaching
// kTerminalLineChars beeps and breaks, and what is left at the end stays open for the next
// read. A NUL would end the line in the edit control, so it shows as a blank too.
TerminalText terminalText(std::span<const std::uint8_t> bytes);

// Whether a typed character goes to the port: codes 1 to 126.
constexpr bool isSentWhenTyped(char32_t code) {
    return code >= 1 && code <= 126;
}

} // namespace halcyx
