#pragma once

#include "core/instrument/ConfigRecords.h"
#include "gui/instrument/ConfigDlg.h"

#include <array>

class QRadioButton;

namespace halcyx {

class DCChannelTable;

// "Configure Vexa": the settings of a Vexa 2 or Vexa 3, with its primary and DC channels
// and its sampling rate. A Vexa 2 has no DC7 and DC8, and the average length can be
// edited only when the firmware averages. While a DC channel is on, "Save" offers the DC
// channel setup first, until that dialog was opened from here once.
class ConfigVexa : public ConfigDlg {
    Q_OBJECT
public:
    ConfigVexa(VexaConfigData& record, DCChannelTable& dcTable, CommPort& port, Operator& op,
               bool dc7And8Available, bool averagingAvailable, QWidget* parent = nullptr);

    // channel is 0-based in each list.
    QCheckBox* primaryChannel(int channel) const;
    QCheckBox* dcChannel(int channel) const;
    QRadioButton* samplingRate(int index) const;
    QPushButton* dcSetupButton() const { return dcSetupButton_; }
    bool dcSetupOpened() const { return dcState_.dcSetupOpened; }

private:
    VexaSaveState* dcQuestionState() override;
    void openDcSetup() override;
    void store() override;

    VexaConfigData& record_;
    DCChannelTable& dcTable_;
    VexaSaveState dcState_;
    std::array<QCheckBox*, kMaxPrimaryChannels> primary_{};
    std::array<QCheckBox*, kMaxDcChannels> dc_{};
    std::array<QRadioButton*, kSamplingRateCount> rates_{};
    QPushButton* dcSetupButton_;
};

} // namespace halcyx
