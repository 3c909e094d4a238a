#include "core/settings/Catalogue.h"

#include <cstdio>

namespace halcyx {

namespace {
// Room for any name made from one of the catalogue's formats and an int.
constexpr std::size_t kNumberedNameBytes = 48;
} // namespace

std::string numberedName(const char* format, int number) {
    char name[kNumberedNameBytes];
    const int length = std::snprintf(name, sizeof name, format, number);
    return length < 0 ? std::string() : std::string(name);
}

int IntKey::read(const Profile& profile, std::string_view section) const {
    return profile.readInt(section, name, def);
}

void IntKey::write(Profile& profile, std::string_view section, int value) const {
    profile.writeString(section, name, std::to_string(value));
}

std::string TextKey::read(const Profile& profile, std::string_view section) const {
    return profile.readString(section, name, def, maxChars + 1);
}

void TextKey::write(Profile& profile, std::string_view section, std::string_view value) const {
    profile.writeString(section, name, value);
}

} // namespace halcyx
