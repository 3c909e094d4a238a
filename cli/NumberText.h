#pragma once

#include <cstddef>

namespace halcyx::cli {

// Room FormatG9 needs, terminator included [characters].
inline constexpr std::size_t kG9MaxChars = 24;

// Writes the text snprintf gives for "%.9g" with the value widened to double, without a
// terminator, and returns the end. All kG9MaxChars at out may be written. The values of a cast (a
// scan number, readings and derived quantities from 1e-5 to 2^24 in magnitude) take a path with
// integer arithmetic that is several times faster than snprintf; anything else goes to snprintf
// itself.
char* FormatG9(float value, char* out);

} // namespace halcyx::cli
