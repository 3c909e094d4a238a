#pragma once

#include <cstdint>
#include <string_view>

namespace halcyx {

// Which instrument is attached. The numbers are stored in configuration files and
// compared throughout the program, so they never change; 4, 5 and 6 are never used.
enum class ProductCode : std::int32_t {
    None = 0,
    Vexa2 = 1,
    Vexa3 = 2,
    TavrinCT = 3,
    TavrinP = 7,
};

constexpr bool isVexa(ProductCode code) {
    return code == ProductCode::Vexa2 || code == ProductCode::Vexa3;
}
constexpr bool isTavrin(ProductCode code) {
    return code == ProductCode::TavrinCT || code == ProductCode::TavrinP;
}
constexpr bool isIdentified(ProductCode code) {
    return isVexa(code) || isTavrin(code);
}

// The code for a stored number; any number that is not one of the four models is None.
ProductCode productFromNumber(std::int32_t number);

// "Vexa 2", "Vexa 3", "Tavrin CT", "Tavrin P"; "NONE" for an unidentified instrument.
std::string_view modelText(ProductCode code);

} // namespace halcyx
