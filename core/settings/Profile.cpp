#include "core/settings/Profile.h"

#include "core/settings/IniFile.h"

namespace halcyx {

Profile::Profile(std::filesystem::path file) : file_(std::move(file)) {}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view def, std::size_t bufferSize) const {
    return IniFile(file_).readString(section, key, def, bufferSize);
}

int Profile::readInt(std::string_view section, std::string_view key, int def) const {
    return IniFile(file_).readInt(section, key, def);
}

void Profile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    IniFile file(file_);
    file.writeString(section, key, value);
    // Settings writes report no failure: the program goes on with what it holds in memory.
    (void)file.save();
}

} // namespace halcyx
