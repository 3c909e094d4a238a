#pragma once

namespace halcyx {

// The identified instrument model as the program passes it between windows and stores it
// in configuration files. 0 until an instrument has been identified.
enum ProductCode : int {
    kProductNone = 0,
    kProductVexa2 = 1,
    kProductVexa3 = 2,
    kProductTavrinCT = 3,
    kProductTavrinP = 7,
};

// The Tavrin models log sessions instead of casts and have their own acquisition menus.
constexpr bool isTavrin(int product) {
    return product == kProductTavrinCT || product == kProductTavrinP;
}

constexpr bool isVexa(int product) {
    return product == kProductVexa2 || product == kProductVexa3;
}

} // namespace halcyx
