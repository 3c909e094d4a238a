#pragma once

#include <string>

namespace halcyx {

// printf-style formatting into a string, so that texts with formats such as
// "Address = %d" come out exactly as the format says.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace halcyx
