#pragma once

#include "core/instrument/ConfigRecords.h"
#include "gui/instrument/ConfigDlg.h"

#include <array>

namespace halcyx {

// The dialog of a Tavrin: three channels, of which the ones the instrument always
// measures are shown on and cannot be switched off; the average time can be edited only
// when the firmware averages.
class ConfigTavrin : public ConfigDlg {
    Q_OBJECT
public:
    using ChannelNames = std::array<const char*, TavrinConfigData::kChannels>;

    // channel is 0-based.
    QCheckBox* channel(int channel) const;

protected:
    // The first forcedChannels channels are always on.
    ConfigTavrin(const QString& title, const ChannelNames& names, int forcedChannels,
                 TavrinConfigData& record, CommPort& port, Operator& op, bool averagingAvailable,
                 QWidget* parent);

private:
    void store() override;

    TavrinConfigData& record_;
    std::array<QCheckBox*, TavrinConfigData::kChannels> channels_{};
};

// "Configure CT": a Tavrin CT always measures conductivity and temperature.
class ConfigCT : public ConfigTavrin {
    Q_OBJECT
public:
    ConfigCT(CTConfigData& record, CommPort& port, Operator& op, bool averagingAvailable,
             QWidget* parent = nullptr);
};

// "Configure Tavrin Pressure": a Tavrin P always measures pressure.
class ConfigP : public ConfigTavrin {
    Q_OBJECT
public:
    ConfigP(PConfigData& record, CommPort& port, Operator& op, bool averagingAvailable,
            QWidget* parent = nullptr);
};

} // namespace halcyx
