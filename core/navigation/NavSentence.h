#pragma once

#include "core/navigation/NavFix.h"

#include <optional>
#include <string_view>

namespace halcyx {

// Reads the two sentences the program uses into the fix: "$GPGLL" (position and time)
// and "$GPZDA" (time and date). No checksum is tested; a sentence is used as far as its
// fields go, and a missing field leaves its value unchanged.

inline constexpr std::string_view kGllTag = "$GPGLL";
inline constexpr std::string_view kZdaTag = "$GPZDA";

// Field n of a sentence: the text after its n-th comma up to the next comma, or up to the
// checksum for the last field. nullopt when the sentence has fewer fields.
std::optional<std::string_view> sentenceField(std::string_view sentence, int n);

// A "$GPGLL" sentence: latitude (field 1), its hemisphere (2), longitude (3), its
// hemisphere (4), time hhmmss (5). A hemisphere field that is empty or does not begin
// with a printable letter gives the unknown letter 'X'. False for any other sentence.
bool readGll(std::string_view sentence, NavFix& fix);

// A "$GPZDA" sentence: time hhmmss (field 1), day (2), month (3), year (4). False for any
// other sentence.
bool readZda(std::string_view sentence, NavFix& fix);

} // namespace halcyx
