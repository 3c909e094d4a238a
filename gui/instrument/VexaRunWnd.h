#pragma once

#include "core/base/Product.h"
#include "core/instrument/RunSession.h"
#include "gui/instrument/RunWnd.h"

#include <array>

namespace halcyx {

// "Vexa Run Continuous Mode": the latest value of every channel of a Vexa 2 or Vexa 3 in
// run mode, read once a second from the instrument's continuous output, and the raw
// stream appended to the log file when logging. The Vexa 2 has no DC7 and DC8 fields.
class VexaRunWnd : public RunWnd {
    Q_OBJECT
public:
    VexaRunWnd(CommPort& port, Operator& op, ProductCode product, ChannelMask mask,
               const std::optional<std::string>& logPath, QWidget* parent = nullptr);

    void tick() override;

private:
    VexaRun run_;
    std::array<QLineEdit*, kVexaRunFields> fields_{};
};

} // namespace halcyx
