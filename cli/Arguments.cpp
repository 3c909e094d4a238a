#include "cli/Arguments.h"

#include <charconv>
#include <cmath>
#include <iostream>

namespace halcyx::cli {

std::optional<double> ParseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> ParseHex(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

int UsageError(std::string_view command, const std::string& text) {
    std::cerr << "halcyx-cli " << command << ": " << text << "\n"
              << "Try 'halcyx-cli " << command << " --help'.\n";
    return kExitUsage;
}

bool IsHelp(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

std::optional<std::string> OptionReader::Take(std::string_view name) {
    std::optional<std::string> value;
    for (std::size_t i = 0; i < args_.size();) {
        if (args_[i] != name) {
            ++i;
            continue;
        }
        if (i + 1 == args_.size()) {
            if (error_.empty())
                error_ = "option " + std::string(name) + " needs a value";
            args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        value = args_[i + 1];
        args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i),
                    args_.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return value;
}

std::optional<double> OptionReader::TakeNumber(std::string_view name) {
    const std::optional<std::string> text = Take(name);
    if (!text)
        return std::nullopt;
    const std::optional<double> value = ParseNumber(*text);
    if (!value && error_.empty())
        error_ = "option " + std::string(name) + " needs a number, not '" + *text + "'";
    return value;
}

const std::vector<std::string>& OptionReader::Operands() {
    for (const std::string& arg : args_) {
        // A lone "-" or a negative number is an operand, anything else starting "--" is not.
        if (arg.starts_with("--") && error_.empty())
            error_ = "unknown option " + arg;
    }
    return args_;
}

} // namespace halcyx::cli
