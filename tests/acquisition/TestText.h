#pragma once

// Text helpers of the acquisition and program tests: lines of a file, bytes of a string.

#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace halcyx::test {

// The lines of text, each without its CR LF or LF.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line); lines.push_back(line))
        if (line.ends_with('\r'))
            line.pop_back();
    return lines;
}

inline std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

} // namespace halcyx::test
