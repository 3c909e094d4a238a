#pragma once

#include "instrument/Product.h"

namespace halcyx {

// The mode logic passes the identified instrument's product code (instrument/Product.h) as
// an int, as windows and configuration files hand it on. 0 until an instrument is identified.
inline constexpr int kProductNone = static_cast<int>(ProductCode::None);
inline constexpr int kProductVexa2 = static_cast<int>(ProductCode::Vexa2);
inline constexpr int kProductVexa3 = static_cast<int>(ProductCode::Vexa3);
inline constexpr int kProductTavrinCT = static_cast<int>(ProductCode::TavrinCT);
inline constexpr int kProductTavrinP = static_cast<int>(ProductCode::TavrinP);

// The Tavrin models log sessions instead of casts and have their own acquisition menus.
constexpr bool isTavrin(int product) { return isTavrin(static_cast<ProductCode>(product)); }
constexpr bool isVexa(int product) { return isVexa(static_cast<ProductCode>(product)); }

} // namespace halcyx
