#pragma once

#include "core/base/Commands.h"

namespace halcyx {

// How the print commands of the acquisition windows look: a graph is printed or previewed
// only when it holds at least one scan or record and no cast or logging is running; the
// printer setup is always there.
constexpr bool isGraphPrintCommand(int command) {
    return command == cmd::kPrint || command == cmd::kPrintPreview || command == cmd::kPrinterSetup;
}

constexpr CommandState printCommandState(int command, long records, bool logging) {
    if (command == cmd::kPrinterSetup)
        return {};
    return {records > 0 && !logging, false};
}

} // namespace halcyx
