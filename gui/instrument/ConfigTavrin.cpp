#include "gui/instrument/ConfigTavrin.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace halcyx {

namespace {

// The channels each model always measures: the first ones of its list.
constexpr int kCtAlwaysOn = 2; // conductivity and temperature
constexpr int kPAlwaysOn = 1;  // pressure

} // namespace

ConfigTavrin::ConfigTavrin(const QString& title, const ChannelNames& names, int forcedChannels,
                           TavrinConfigData& record, CommPort& port, Operator& op,
                           bool averagingAvailable, QWidget* parent)
    : ConfigDlg(title, ConfigFamily::Tavrin,
                {QStringLiteral("Averaging"), QStringLiteral("Average Time:"),
                 decltype(record.averageTime)::kMaxChars},
                port, op, averagingAvailable, parent),
      record_(record) {
    auto* group = new QGroupBox(QStringLiteral("Channels"), this);
    auto* column = new QVBoxLayout(group);
    for (int ch = 0; ch < TavrinConfigData::kChannels; ++ch) {
        auto* box = new QCheckBox(QString::fromLatin1(names[static_cast<std::size_t>(ch)]), group);
        const bool forced = ch < forcedChannels;
        setFlag(box, forced ? 1 : record.channel[static_cast<std::size_t>(ch)]);
        box->setEnabled(!forced);
        column->addWidget(box);
        channels_[static_cast<std::size_t>(ch)] = box;
    }
    channelRow()->addWidget(group);
    channelRow()->addStretch();
    showShared(record, record.averageTime);
}

QCheckBox* ConfigTavrin::channel(int channel) const {
    return channels_.at(static_cast<std::size_t>(channel));
}

void ConfigTavrin::store() {
    for (std::size_t ch = 0; ch < channels_.size(); ++ch)
        record_.channel[ch] = flag(channels_[ch]);
    storeShared(record_, record_.averageTime);
}

ConfigCT::ConfigCT(CTConfigData& record, CommPort& port, Operator& op, bool averagingAvailable,
                   QWidget* parent)
    : ConfigTavrin(QStringLiteral("Configure CT"), {"Conductivity", "Temperature", "Time"},
                   kCtAlwaysOn, record, port, op, averagingAvailable, parent) {}

ConfigP::ConfigP(PConfigData& record, CommPort& port, Operator& op, bool averagingAvailable,
                 QWidget* parent)
    : ConfigTavrin(QStringLiteral("Configure Tavrin Pressure"), {"Pressure", "Time", "Barometer"},
                   kPAlwaysOn, record, port, op, averagingAvailable, parent) {}

} // namespace halcyx
