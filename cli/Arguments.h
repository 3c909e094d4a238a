#pragma once

#include "core/base/ChannelMask.h"
#include "core/base/Product.h"
#include "core/instrument/DcChannelTable.h"

#include <cstdint>
#include <ctime>
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
// When any of the arguments asks for help: prints help on standard output, true.
bool AnswerHelp(const std::vector<std::string>& args, std::string_view help);

// The local clock now.
std::tm LocalNow();

// Prints "halcyx-cli <command>: cannot <what> <path>: <system error text>" on standard
// error and returns kExitFailure.
int ReportFileFailure(std::string_view command, std::string_view what, const std::string& path,
                      int error);

// The --model (vexa2, vexa3, ct or p) and --mask HEX values as product and channel mask.
// Returns why they cannot be used, or an empty text.
std::string CheckModelAndMask(const std::optional<std::string>& model,
                              const std::optional<std::string>& maskText, ProductCode& product,
                              ChannelMask& channelMask);

// Reads the DC channel texts of a configuration file named by --cfg into table. Returns
// kExitOk, or the exit code after the message when the file cannot be used.
int ReadDcChannelOption(std::string_view command, const std::string& cfgPath,
                        DCChannelTable& table);

// Takes options "--name VALUE" out of args in any position; the rest stay as operands.
class OptionReader {
public:
    OptionReader(std::string_view command, std::vector<std::string> args)
        : command_(command), args_(std::move(args)) {}

    // The value of --name (its last occurrence), or nullopt when absent. A --name without a
    // value is recorded as an error.
    std::optional<std::string> Take(std::string_view name);
    // Takes every --name that stands alone, without a value; true when there was one.
    bool TakeFlag(std::string_view name);
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
