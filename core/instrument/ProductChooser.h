#pragma once

#include "core/base/Product.h"

#include <optional>

namespace halcyx {

// Asks the operator which model is attached when its serial number does not tell
// ("Product Selection": Vexa 2, Vexa 3, Tavrin CT, Tavrin P).
class ProductChooser {
public:
    virtual ~ProductChooser() = default;

    // Shows the choice with lastChoice preselected (None: nothing preselected). Returns
    // the product chosen with OK (None when OK was pressed without a choice), or nullopt
    // when the operator cancelled.
    virtual std::optional<ProductCode> chooseProduct(ProductCode lastChoice) = 0;
};

} // namespace halcyx
