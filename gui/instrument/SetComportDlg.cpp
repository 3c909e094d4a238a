#include "gui/instrument/SetComportDlg.h"

#include "core/instrument/SerialDeviceList.h"
#include "core/settings/Catalogue.h"
#include "core/settings/PortSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace halcyx {

namespace {
constexpr std::uint32_t kDefaultRate = 9600;
constexpr int kRateColumns = 3;
} // namespace

SetComportDlg::SetComportDlg(int& port, std::uint32_t& baud, Profile& settings,
                             const QString& caption, QWidget* parent)
    : QDialog(parent), port_(port), settings_(settings) {
    setWindowTitle(caption);

    auto* portsBox = new QGroupBox(tr("Communications Port"));
    auto* portsGrid = new QGridLayout(portsBox);
    auto* portButtons = new QButtonGroup(this);
    const std::vector<std::string> present = listSerialDevices();
    const int checkedPort = port >= 1 && port <= kPorts ? port : 1;
    for (int n = 1; n <= kPorts; ++n) {
        auto* button = new QRadioButton(QStringLiteral("COM%1").arg(n));
        button->setChecked(n == checkedPort);
        portButtons->addButton(button, n);
        auto* device = new QComboBox;
        device->setEditable(true);
        device->setMinimumContentsLength(24);
        for (const std::string& path : present)
            device->addItem(QString::fromStdString(path));
        const QString mapped = QString::fromStdString(devicePathForPort(settings, n));
        device->setCurrentText(mapped);
        device->setToolTip(tr("The serial device COM%1 stands for").arg(n));
        devices_[n - 1] = device;
        mappedAtOpen_[n - 1] = mapped;
        portsGrid->addWidget(button, n - 1, 0);
        portsGrid->addWidget(device, n - 1, 1);
    }
    connect(portButtons, &QButtonGroup::idClicked, this, [&port](int n) { port = n; });

    auto* ratesBox = new QGroupBox(tr("Baudrate"));
    auto* ratesGrid = new QGridLayout(ratesBox);
    auto* rateButtons = new QButtonGroup(this);
    const bool known = std::find(kBaudRates.begin(), kBaudRates.end(), baud) != kBaudRates.end();
    const std::uint32_t checkedRate = known ? baud : kDefaultRate;
    for (std::size_t i = 0; i < kBaudRates.size(); ++i) {
        auto* button = new QRadioButton(QString::number(kBaudRates[i]));
        button->setChecked(kBaudRates[i] == checkedRate);
        rateButtons->addButton(button, static_cast<int>(kBaudRates[i]));
        ratesGrid->addWidget(button, static_cast<int>(i) / kRateColumns,
                             static_cast<int>(i) % kRateColumns);
    }
    connect(rateButtons, &QButtonGroup::idClicked, this,
            [&baud](int rate) { baud = static_cast<std::uint32_t>(rate); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetComportDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SetComportDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(portsBox);
    layout->addWidget(ratesBox);
    layout->addWidget(buttons);
}

void SetComportDlg::accept() {
    for (int n = 1; n <= kPorts; ++n) {
        const QString device = devices_[n - 1]->currentText().trimmed();
        if (device.isEmpty() || device == mappedAtOpen_[n - 1])
            continue;
        settings_.writeString(kPortsSection, numberedName(kComPortKeyFormat, n),
                              device.toStdString());
        if (n == port_)
            remapped_ = true;
    }
    QDialog::accept();
}

std::optional<PortChoice> QtPortSetupDialog::choosePort(PortChoice current) {
    int port = current.port;
    std::uint32_t baud = current.baud;
    SetComportDlg dialog(port, baud, settings_, caption_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PortChoice{port, baud, dialog.remapped()};
}

} // namespace halcyx
