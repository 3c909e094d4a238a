#include "gui/acquisition/NavPortDlg.h"

#include "core/serial/CommPort.h"
#include "core/settings/PortSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace halcyx {

namespace {

constexpr int kRateColumns = 3;
// Ids of the time source buttons.
constexpr int kPcTimeId = 0, kGpsTimeId = 1;

QRadioButton* Radio(const QString& caption, QButtonGroup* group, int id, bool checked) {
    auto* button = new QRadioButton(caption);
    button->setChecked(checked);
    group->addButton(button, id);
    return button;
}

} // namespace

NavPortDlg::NavPortDlg(const NavSettings& settings, QWidget* parent)
    : QDialog(parent), enable_(new QCheckBox(QStringLiteral("Enable Navigation Port"), this)),
      ports_(new QButtonGroup(this)), rates_(new QButtonGroup(this)),
      timeStamp_(new QCheckBox(QStringLiteral("Enable"), this)),
      timeSource_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("NAV Communications Setup"));
    enable_->setChecked(settings.enabled);

    auto* portBox = new QGroupBox(QStringLiteral("Communication Port"));
    auto* portRow = new QHBoxLayout(portBox);
    for (int n = CommPort::kFirstPort; n <= CommPort::kLastPort; ++n)
        portRow->addWidget(Radio(QStringLiteral("COM%1").arg(n), ports_, n, n == settings.port));

    auto* rateBox = new QGroupBox(QStringLiteral("Baudrate"));
    auto* rateGrid = new QGridLayout(rateBox);
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        const auto rate = kBaudRates[i];
        rateGrid->addWidget(
            Radio(QString::number(rate), rates_, static_cast<int>(rate), rate == settings.baud),
            static_cast<int>(i) / kRateColumns, static_cast<int>(i) % kRateColumns);
    }

    auto* timeBox = new QGroupBox(QStringLiteral("Time Stamp Data"));
    auto* timeRow = new QHBoxLayout(timeBox);
    timeStamp_->setChecked(settings.timeStamp);
    timeRow->addWidget(timeStamp_);
    timeRow->addWidget(Radio(QStringLiteral("PC Time"), timeSource_, kPcTimeId, settings.pcTime));
    timeRow->addWidget(Radio(QStringLiteral("GPS Time"), timeSource_, kGpsTimeId,
                             !settings.pcTime && settings.gpsTime));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NavPortDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NavPortDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enable_);
    layout->addWidget(portBox);
    layout->addWidget(rateBox);
    layout->addWidget(timeBox);
    layout->addWidget(buttons);
}

NavSettings NavPortDlg::chosen() const {
    NavSettings s;
    s.enabled = enable_->isChecked();
    s.port = std::max(ports_->checkedId(), 0);
    s.baud = static_cast<std::uint32_t>(std::max(rates_->checkedId(), 0));
    s.timeStamp = timeStamp_->isChecked();
    s.pcTime = timeSource_->checkedId() == kPcTimeId;
    s.gpsTime = timeSource_->checkedId() == kGpsTimeId;
    return s;
}

bool QtNavPortDialog::edit(NavSettings& settings) {
    NavPortDlg dialog(settings, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.chosen();
    return true;
}

} // namespace halcyx
