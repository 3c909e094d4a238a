#pragma once

#include "core/instrument/ConfigureCommand.h"

class QWidget;

namespace halcyx {

class CommPort;
class DCChannelTable;
class Operator;

// The configuration commands' dialogs as the operator sees them: each run shows the
// model's dialog modally over the configuration window.
class QtConfigDialogs : public ConfigDialogRunner {
public:
    QtConfigDialogs(QWidget* parent, CommPort& port, Operator& op, DCChannelTable& dcTable)
        : parent_(parent), port_(port), op_(op), dcTable_(dcTable) {}

    bool runVexa(VexaConfigData& record, bool dc7And8Available, bool averagingAvailable) override;
    bool runTavrinCT(CTConfigData& record, bool averagingAvailable) override;
    bool runTavrinP(PConfigData& record, bool averagingAvailable) override;

private:
    QWidget* parent_;
    CommPort& port_;
    Operator& op_;
    DCChannelTable& dcTable_;
};

} // namespace halcyx
