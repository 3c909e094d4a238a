#include "core/base/Product.h"

namespace halcyx {

namespace {
constexpr int kVexaPrimaryChannels = 6;
constexpr int kTavrinChannels = 3;
constexpr int kVexa2DcChannels = 6;
constexpr int kVexa3DcChannels = 8;
} // namespace

ProductCode productFromNumber(std::int32_t number) {
    const auto code = static_cast<ProductCode>(number);
    return isIdentified(code) ? code : ProductCode::None;
}

std::string_view modelText(ProductCode code) {
    switch (code) {
    case ProductCode::Vexa2:
        return "Vexa 2";
    case ProductCode::Vexa3:
        return "Vexa 3";
    case ProductCode::TavrinCT:
        return "Tavrin CT";
    case ProductCode::TavrinP:
        return "Tavrin P";
    case ProductCode::None:
        break;
    }
    return "NONE";
}

int dcChannelCount(ProductCode code) {
    switch (code) {
    case ProductCode::Vexa2:
        return kVexa2DcChannels;
    case ProductCode::Vexa3:
        return kVexa3DcChannels;
    default:
        return 0;
    }
}

int primaryChannelCount(ProductCode code) {
    if (isVexa(code))
        return kVexaPrimaryChannels;
    return isTavrin(code) ? kTavrinChannels : 0;
}

} // namespace halcyx
