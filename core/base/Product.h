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

// The codes as the int that windows, scan layouts and configuration files pass around.
inline constexpr int ProductCode::None = static_cast<int>(ProductCode::None);
inline constexpr int ProductCode::Vexa2 = static_cast<int>(ProductCode::Vexa2);
inline constexpr int ProductCode::Vexa3 = static_cast<int>(ProductCode::Vexa3);
inline constexpr int ProductCode::TavrinCT = static_cast<int>(ProductCode::TavrinCT);
inline constexpr int ProductCode::TavrinP = static_cast<int>(ProductCode::TavrinP);
constexpr bool isTavrin(int product) {
    return isTavrin(static_cast<ProductCode>(product));
}
constexpr bool isVexa(int product) {
    return isVexa(static_cast<ProductCode>(product));
}

// The code for a stored number; any number that is not one of the four models is None.
ProductCode productFromNumber(std::int32_t number);

// "Vexa 2", "Vexa 3", "Tavrin CT", "Tavrin P"; "NONE" for an unidentified instrument.
std::string_view modelText(ProductCode code);

// Number of DC channels a model has (0 for the Tavrin family).
int dcChannelCount(ProductCode code);
// Number of primary channels a model has (6 for Vexa, 3 for Tavrin, 0 when unknown).
int primaryChannelCount(ProductCode code);

} // namespace halcyx
