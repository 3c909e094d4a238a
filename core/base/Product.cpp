#include "core/base/Product.h"

#include "core/base/ModelTraits.h"

namespace halcyx {

ProductCode productFromNumber(std::int32_t number) {
    const auto code = static_cast<ProductCode>(number);
    return isIdentified(code) ? code : ProductCode::None;
}

std::string_view modelText(ProductCode code) {
    return modelTraits(code).model;
}

} // namespace halcyx
