#include "core/settings/SettingsLocation.h"

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace halcyx {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kOption = "--settings";
constexpr std::string_view kOptionWithValue = "--settings=";
constexpr const char* kFileVariable = "HALCYX_SETTINGS";
constexpr const char* kConfigHomeVariable = "XDG_CONFIG_HOME";
constexpr const char* kFolderName = "Halcyx";
constexpr const char* kFileName = "Halcyx.ini";
constexpr const char* kMissingFileError = "the option --settings needs a file name";

// A non-empty environment value, or nullopt.
std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

fs::path homeFolder() {
    if (std::optional<std::string> home = environment("HOME"))
        return *home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

// Where the option stands among the arguments and what it says.
struct FoundOption {
    std::size_t index = 0;
    std::size_t count = 0; // arguments it takes: 1 for "--settings=FILE", 2 for the pair
    std::string file;
};

// Looks at arguments [first, size) through argumentAt.
template <typename ArgumentAt>
std::optional<FoundOption> findOption(std::size_t first, std::size_t size, ArgumentAt argumentAt) {
    for (std::size_t index = first; index < size; ++index) {
        const std::string_view argument = argumentAt(index);
        if (argument == kOption) {
            if (index + 1 == size)
                return FoundOption{index, 1, {}};
            return FoundOption{index, 2, std::string(argumentAt(index + 1))};
        }
        if (argument.starts_with(kOptionWithValue))
            return FoundOption{index, 1, std::string(argument.substr(kOptionWithValue.size()))};
    }
    return std::nullopt;
}

SettingsChoice choose(const std::optional<FoundOption>& found) {
    if (!found)
        return {defaultSettingsFile(), {}};
    if (found->file.empty())
        return {defaultSettingsFile(), kMissingFileError};
    return {found->file, {}};
}

} // namespace

fs::path defaultSettingsFile() {
    if (std::optional<std::string> file = environment(kFileVariable))
        return *file;
    if (std::optional<std::string> configHome = environment(kConfigHomeVariable);
        configHome && fs::path(*configHome).is_absolute())
        return fs::path(*configHome) / kFolderName / kFileName;
    return homeFolder() / ".config" / kFolderName / kFileName;
}

SettingsChoice chooseSettingsFile(std::vector<std::string>& args) {
    const std::optional<FoundOption> found =
        findOption(0, args.size(), [&](std::size_t i) { return std::string_view(args[i]); });
    if (found) {
        const auto begin = args.begin() + static_cast<std::ptrdiff_t>(found->index);
        args.erase(begin, begin + static_cast<std::ptrdiff_t>(found->count));
    }
    return choose(found);
}

SettingsChoice chooseSettingsFile(int& argc, char** argv) {
    const std::size_t size = argc > 0 ? static_cast<std::size_t>(argc) : 0;
    const std::optional<FoundOption> found =
        findOption(1, size, [&](std::size_t i) { return std::string_view(argv[i]); });
    if (found) {
        // Shift the later arguments down over the option, keeping argv[argc] == nullptr.
        for (std::size_t i = found->index; i + found->count <= size; ++i)
            argv[i] = argv[i + found->count];
        argc -= static_cast<int>(found->count);
    }
    return choose(found);
}

} // namespace halcyx
