#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx::cli {

// Exit codes of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // a file could not be read or written
inline constexpr int kExitUsage = 2;   // the command line was wrong

// A whole argument as a finite decimal number; nullopt when any of it is not.
std::optional<double> ParseNumber(std::string_view text);
// A whole argument as a hexadecimal 32-bit value, with or without "0x".
std::optional<std::uint32_t> ParseHex(std::string_view text);

// Prints "halcyx-cli <command>: <text>" and a pointer to the help on standard error and
// returns kExitUsage.
int UsageError(std::string_view command, const std::string& text);

bool IsHelp(std::string_view arg);

// Takes options "--name VALUE" out of args in any position; the rest stay as operands.
class OptionReader {
public:
    OptionReader(std::string_view command, std::vector<std::string> args)
        : command_(command), args_(std::move(args)) {}

    // The value of --name (its last occurrence), or nullopt when absent. A --name without a
    // value is recorded as an error.
    std::optional<std::string> Take(std::string_view name);
    // Like Take, for a number; a value that is not a number is recorded as an error.
    std::optional<double> TakeNumber(std::string_view name);
    // The remaining operands; an unknown option among them is recorded as an error.
    const std::vector<std::string>& Operands();

    // The first error recorded, if any.
    const std::string& error() const { return error_; }

private:
    std::string_view command_;
    std::vector<std::string> args_;
    std::string error_;
};

} // namespace halcyx::cli
