#include "core/instrument/CommandDelays.h"

namespace halcyx {

namespace {
constexpr CommandDelays kStandard{20, 300};
constexpr CommandDelays kAt300Baud{100, 1500};
constexpr CommandDelays kAt1200Baud{30, 700};
constexpr CommandDelays kAt19200Baud{10, 150};
} // namespace

CommandDelays delaysAtOpen(std::uint32_t baud) {
    switch (baud) {
    case 300:
        return kAt300Baud;
    case 1200:
        return kAt1200Baud;
    default:
        return kStandard;
    }
}

CommandDelays delaysAfterSetup(std::uint32_t baud, CommandDelays current) {
    switch (baud) {
    case 300:
        return kAt300Baud;
    case 1200:
        return kAt1200Baud;
    case 9600:
        return kStandard;
    case 19200:
        return kAt19200Baud;
    default:
        return current;
    }
}

} // namespace halcyx
