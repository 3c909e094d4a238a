#pragma once

#include <array>
#include <string_view>

namespace halcyx {

// The maker's letterhead, as the About box and the printed pages show it.
struct Letterhead {
    std::string_view company;
    std::string_view street;
    std::string_view town;
    std::string_view telephone;
    std::string_view fax;
    std::string_view email;

    // The five lines a printed page carries, top to bottom.
    std::array<std::string_view, 5> printedLines() const {
        return {company, street, town, telephone, fax};
    }
};

inline constexpr Letterhead kLetterhead{
    "Brinemark Instruments Ltd.", "7 Quayside Lane",     "Fenwick Harbour FH2 9QL",
    "Tel. +44 1632 960418",       "Fax +44 1632 960419", "support@brinemark.example",
};

} // namespace halcyx
