#include "cli/Arguments.h"

#include "core/settings/IniFile.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <iostream>
#include <map>
#include <sys/stat.h>

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

bool AnswerHelp(const std::vector<std::string>& args, std::string_view help) {
    for (const std::string& arg : args) {
        if (IsHelp(arg)) {
            std::cout << help;
            return true;
        }
    }
    return false;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

int ReportFileFailure(std::string_view command, std::string_view what, const std::string& path,
                      int error) {
    std::cerr << "halcyx-cli " << command << ": cannot " << what << " " << path << ": "
              << std::strerror(error) << "\n";
    return kExitFailure;
}

std::string CheckModelAndMask(const std::optional<std::string>& model,
                              const std::optional<std::string>& maskText, ProductCode& product,
                              ChannelMask& channelMask) {
    static const std::map<std::string, ProductCode> kModels = {{"vexa2", ProductCode::Vexa2},
                                                               {"vexa3", ProductCode::Vexa3},
                                                               {"ct", ProductCode::TavrinCT},
                                                               {"p", ProductCode::TavrinP}};
    if (!model)
        return "--model is required";
    const auto found = kModels.find(*model);
    if (found == kModels.end())
        return "unknown model '" + *model + "' (vexa2, vexa3, ct or p)";
    if (!maskText)
        return "--mask is required";
    const std::optional<ChannelMask> parsed = ParseHex(*maskText);
    if (!parsed)
        return "'" + *maskText + "' is not a hexadecimal channel mask";
    if ((*parsed & mask::kChannelBits) == 0)
        return "the channel mask has no channel on";
    product = found->second;
    channelMask = *parsed;
    return {};
}

int ReadDcChannelOption(std::string_view command, const std::string& cfgPath,
                        DCChannelTable& table) {
    // The profile reader gives defaults for a file it cannot open; say so instead.
    struct stat cfg {};
    if (::stat(cfgPath.c_str(), &cfg) != 0)
        return ReportFileFailure(command, "read", cfgPath, errno);
    if (!S_ISREG(cfg.st_mode))
        return UsageError(command, "--cfg must name a configuration file, not '" + cfgPath + "'");
    readDcChannelTexts(IniFile(cfgPath), table);
    return kExitOk;
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

bool OptionReader::TakeFlag(std::string_view name) {
    return std::erase(args_, name) > 0;
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
