#include "gui/instrument/ConfigVexa.h"

#include "gui/instrument/DCSetupDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace halcyx {

namespace {

constexpr std::array<const char*, kMaxPrimaryChannels> kPrimaryNames = {
    "Conductivity", "Temperature", "Pressure", "Time", "Salinity", "Sound Velocity"};
// The DC channels a Vexa 2 lacks start here (0-based): DC7 and DC8.
constexpr int kFirstVexa3OnlyDc = modelTraits(ProductCode::Vexa2).dcChannels;
// DC check boxes per column of their group.
constexpr int kDcRows = 4;

} // namespace

ConfigVexa::ConfigVexa(VexaConfigData& record, DCChannelTable& dcTable, CommPort& port,
                       Operator& op, bool dc7And8Available, bool averagingAvailable,
                       QWidget* parent)
    : ConfigDlg(QStringLiteral("Configure Vexa"), ConfigFamily::Vexa,
                {QStringLiteral("Averaging Interval in Time"), QStringLiteral("Average Length:"),
                 decltype(record.averageLength)::kMaxChars},
                port, op, averagingAvailable, parent),
      record_(record), dcTable_(dcTable),
      dcSetupButton_(new QPushButton(QStringLiteral("DC Setup"), this)) {
    auto* primaryGroup = new QGroupBox(QStringLiteral("Primary Channels"), this);
    auto* primaryColumn = new QVBoxLayout(primaryGroup);
    for (std::size_t ch = 0; ch < primary_.size(); ++ch) {
        primary_[ch] = new QCheckBox(QString::fromLatin1(kPrimaryNames[ch]), primaryGroup);
        setFlag(primary_[ch], record.channel[ch]);
        primaryColumn->addWidget(primary_[ch]);
    }

    auto* dcGroup = new QGroupBox(QStringLiteral("DC Channels"), this);
    auto* dcGrid = new QGridLayout(dcGroup);
    for (int ch = 0; ch < kMaxDcChannels; ++ch) {
        auto* box = new QCheckBox(QStringLiteral("DC%1").arg(ch + 1), dcGroup);
        setFlag(box, record.dcChannel[static_cast<std::size_t>(ch)]);
        box->setEnabled(dc7And8Available || ch < kFirstVexa3OnlyDc);
        dcGrid->addWidget(box, ch % kDcRows, ch / kDcRows);
        dc_[static_cast<std::size_t>(ch)] = box;
    }

    auto* rateGroup = new QGroupBox(QStringLiteral("Sampling Rate"), this);
    auto* rateColumn = new QVBoxLayout(rateGroup);
    auto* rateButtons = new QButtonGroup(this);
    for (std::size_t i = 0; i < rates_.size(); ++i) {
        rates_[i] = new QRadioButton(
            QString::number(kVexaSamplingRates[i], 'f', 2) + QStringLiteral(" S/Sec"), rateGroup);
        rateButtons->addButton(rates_[i]);
        rateColumn->addWidget(rates_[i]);
    }
    // A record may hold no rate at all (a file with an unknown one): then none is checked.
    const auto firstSet = std::find_if(record.samplingRate.begin(), record.samplingRate.end(),
                                       [](std::uint16_t flag) { return flag != 0; });
    if (firstSet != record.samplingRate.end())
        rates_[static_cast<std::size_t>(firstSet - record.samplingRate.begin())]->setChecked(true);

    channelRow()->addWidget(primaryGroup);
    channelRow()->addWidget(dcGroup);
    channelRow()->addWidget(rateGroup);
    buttonColumn()->addWidget(dcSetupButton_);
    connect(dcSetupButton_, &QPushButton::clicked, this, &ConfigVexa::openDcSetup);

    showShared(record, record.averageLength);
}

QCheckBox* ConfigVexa::primaryChannel(int channel) const {
    return primary_.at(static_cast<std::size_t>(channel));
}

QCheckBox* ConfigVexa::dcChannel(int channel) const {
    return dc_.at(static_cast<std::size_t>(channel));
}

QRadioButton* ConfigVexa::samplingRate(int index) const {
    return rates_.at(static_cast<std::size_t>(index));
}

VexaSaveState* ConfigVexa::dcQuestionState() {
    dcState_.anyDcChannelOn =
        std::any_of(dc_.begin(), dc_.end(), [](const QCheckBox* box) { return box->isChecked(); });
    return &dcState_;
}

void ConfigVexa::openDcSetup() {
    // Opening it counts, whatever button closes it.
    dcState_.dcSetupOpened = true;
    DCSetupDlg dialog(dcTable_, op(), this);
    dialog.exec();
}

void ConfigVexa::store() {
    for (std::size_t ch = 0; ch < primary_.size(); ++ch)
        record_.channel[ch] = flag(primary_[ch]);
    for (std::size_t ch = 0; ch < dc_.size(); ++ch)
        record_.dcChannel[ch] = flag(dc_[ch]);
    for (std::size_t i = 0; i < rates_.size(); ++i)
        record_.samplingRate[i] = flag(rates_[i]);
    storeShared(record_, record_.averageLength);
}

} // namespace halcyx
