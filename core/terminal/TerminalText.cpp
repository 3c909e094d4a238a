#include "core/terminal/TerminalText.h"

namespace halcyx {

namespace {
constexpr std::uint8_t kBell = 7;
constexpr std::uint8_t kLineFeed = '\n';
constexpr std::uint8_t kCarriageReturn = '\r';
constexpr char kBlank = ' ';
} // namespace

std::string_view standardCommandText(std::size_t index) {
    return index == 0 || index >= kStandardCommands.size() ? std::string_view{}
                                                           : kStandardCommands[index];
}

TerminalText terminalText(std::span<const std::uint8_t> bytes) {
    TerminalText out;
    out.text.reserve(bytes.size() + bytes.size() / kTerminalLineChars + 1);
    std::size_t lineChars = 0;
    const auto breakLine = [&] {
        out.text += '\n';
        lineChars = 0;
    };
    for (const std::uint8_t byte : bytes) {
        if (byte == kCarriageReturn) {
            breakLine();
            continue;
        }
        if (byte == kLineFeed)
            continue;
        if (byte == kBell)
            ++out.beeps;
        out.text += byte == kBell || byte == 0 ? kBlank : static_cast<char>(byte);
        if (++lineChars == kTerminalLineChars) {
            ++out.beeps;
            breakLine();
        }
    }
    return out;
}

} // namespace halcyx
