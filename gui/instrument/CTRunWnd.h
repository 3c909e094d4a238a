#pragma once

#include "core/instrument/RunSession.h"
#include "gui/instrument/RunWnd.h"

namespace halcyx {

// "CT Run Continuous Mode": conductivity, temperature and the time of a Tavrin CT in run
// mode. The window first learns the record length from two equal lines of the output,
// with the progress box counting the bytes queued, then shows every record it reads.
class CTRunWnd : public RunWnd {
    Q_OBJECT
public:
    CTRunWnd(CommPort& port, Operator& op, ChannelMask mask,
             const std::optional<std::string>& logPath, QWidget* parent = nullptr);

    void tick() override;
    const CtRun& run() const { return run_; }

private:
    CtRun run_;
    QLineEdit* conductivity_;
    QLineEdit* temperature_;
    QLineEdit* time_;
};

} // namespace halcyx
