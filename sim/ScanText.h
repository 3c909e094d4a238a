#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace halcyx::sim::scan_text {

// Pieces of the instruments' ASCII scan lines. Every field has a fixed width, so that all
// lines of one instrument have the same length.

// One value through a printf format such as "%8.4f".
std::string number(const char* format, double value);
// "hh:mm:ss mm-dd-yyyy" of a time [s since 1970-01-01 00:00:00].
std::string clockAndDate(std::int64_t epochSeconds);
// The fields separated by ", ".
std::string join(const std::vector<std::string>& fields);

} // namespace halcyx::sim::scan_text
