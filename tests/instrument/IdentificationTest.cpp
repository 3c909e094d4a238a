// The model from the serial number and the capabilities from the firmware text.
#include "core/instrument/Identification.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace halcyx {
namespace {

TEST(ProductFromSerialNumber, FollowsTheLetterAndNumberRules) {
    struct Case {
        std::string serial;
        std::optional<ProductCode> product;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"F0123", ProductCode::TavrinCT}, {"F0123M", ProductCode::TavrinCT}, // F before M
        {"Q0456", ProductCode::TavrinP},  {"Q12F", ProductCode::TavrinCT},   // F before Q
        {"1234QM", ProductCode::TavrinP},                                    // Q before M
        {"1499M", ProductCode::Vexa2}, {"1500M", ProductCode::Vexa3}, {"2299M", ProductCode::Vexa3},
        {"2300M", ProductCode::Vexa2}, {"2499M", ProductCode::Vexa2}, {"2500M", ProductCode::Vexa3},
        {"1234m", ProductCode::Vexa2},
        {"M1234", ProductCode::Vexa2}, // no leading number counts as 0
        {"99999999999999999999M", ProductCode::Vexa3},
        {"1234", std::nullopt}, {"", std::nullopt},
        {"f0123", std::nullopt}, // only M has a lower-case form
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(productFromSerialNumber(c.serial), c.product) << c.serial;
}

TEST(CapabilitiesFor, ComparesTheFirmwareWithEachModelsLimit) {
    struct Case {
        ProductCode product;
        std::string firmware;
        bool averaging;
        bool scaledMemory;
        bool samplerOff;
    };
    const std::vector<Case> cases = {
        {ProductCode::Vexa3, "2.10", true, true, true},
        {ProductCode::Vexa3, "1.90", false, false, false}, // equal is not newer
        {ProductCode::Vexa3, "1.91", true, true, false},
        {ProductCode::Vexa3, "2.00", true, true, false},
        {ProductCode::Vexa3, "2I10", false, false, false}, // the reduced firmware
        {ProductCode::Vexa3, "3I00", false, false, true},
        {ProductCode::Vexa3, "", false, false, false},
        {ProductCode::Vexa2, "2.10", false, false, false},
        {ProductCode::TavrinCT, "V1.6", true, false, false},
        {ProductCode::TavrinCT, "V1.5", false, false, false},
        {ProductCode::TavrinP, "V1.4", true, false, false},
        {ProductCode::TavrinP, "V1.3", false, false, false},
        {ProductCode::TavrinP, "V", false, false, false},
        {ProductCode::TavrinCT, "", false, false, false},
        {ProductCode::None, "9.99", false, false, false},
    };
    for (const Case& c : cases) {
        const FirmwareCapabilities caps = capabilitiesFor(c.product, c.firmware);
        EXPECT_EQ(std::tie(caps.averaging, caps.scaledMemory, caps.samplerOff),
                  std::tie(c.averaging, c.scaledMemory, c.samplerOff))
            << c.firmware;
    }
}

} // namespace
} // namespace halcyx
