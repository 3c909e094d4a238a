#include "gui/instrument/DownloadDlg.h"

#include "core/app/HelpLocation.h"
#include "core/prompt/Operator.h"
#include "gui/acquisition/HeaderDlg.h"
#include "gui/instrument/DeployInfoDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace halcyx {

namespace {

constexpr int kFileNameWidth = 280; // [px]

FileRequest dataFileRequest(const std::string& current) {
    return saveFileRequest("ASCII Files (*.DAT)|*.dat|", "DAT", current);
}

} // namespace

DownloadDlg::DownloadDlg(MemoryDownload& download, Operator& op, QWidget* parent)
    : QDialog(parent), downloader_(download), op_(op), fileName_(new QLineEdit(this)),
      scans_(new QLabel(this)), browse_(new QPushButton(QStringLiteral("Browse..."), this)),
      change_(new QPushButton(QStringLiteral("Change"), this)),
      dcChannels_(new QPushButton(QStringLiteral("DC Channels"), this)),
      download_(new QPushButton(QStringLiteral("Download"), this)) {
    setWindowTitle(QStringLiteral("Retrieve Memory"));
    fileName_->setMaxLength(kFileNameChars);
    fileName_->setMinimumWidth(kFileNameWidth);
    scans_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    scans_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* fileGroup = new QGroupBox(QStringLiteral("Filename"), this);
    auto* fileLayout = new QHBoxLayout(fileGroup);
    fileLayout->addWidget(fileName_, 1);
    fileLayout->addWidget(browse_);
    auto* scanGroup = new QGroupBox(QStringLiteral("Scans to Read"), this);
    auto* scanLayout = new QHBoxLayout(scanGroup);
    scanLayout->addWidget(scans_, 1);
    scanLayout->addWidget(change_);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    download_->setDefault(true);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {download_, cancel, help, dcChannels_})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* groups = new QVBoxLayout;
    groups->addWidget(fileGroup);
    groups->addWidget(scanGroup);
    groups->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons);

    connect(browse_, &QPushButton::clicked, this, &DownloadDlg::browse);
    connect(change_, &QPushButton::clicked, this, &DownloadDlg::changeScans);
    connect(dcChannels_, &QPushButton::clicked, this, [this] { downloader_.loadDcChannels(); });
    connect(download_, &QPushButton::clicked, this, &DownloadDlg::startDownload);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { op_.showHelp(help::kRetrieveData); });

    downloader_.setUp();
    scans_->setText(QString::number(downloader_.scansShown()));
    dcChannels_->setEnabled(downloader_.dcChannelsEnabled());
}

void DownloadDlg::browse() {
    if (const auto path = op_.chooseFile(dataFileRequest(fileName_->text().toStdString())))
        fileName_->setText(QString::fromStdString(*path));
}

void DownloadDlg::changeScans() {
    downloader_.changeScans();
    scans_->setText(QString::number(downloader_.scansShown()));
}

void DownloadDlg::startDownload() {
    if (downloader_.download(fileName_->text().toStdString()) == MemoryDownload::Result::Completed)
        accept();
}

bool QtDownloadDialogs::runDownload(MemoryDownload& download) {
    DownloadDlg dialog(download, op_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtDownloadDialogs::editCastInfo(CastInfo& info) {
    HeaderDlg dialog(info, op_, parent_);
    dialog.exec();
}

void QtDownloadDialogs::editDeploymentInfo(DeploymentInfo& info) {
    DeployInfoDlg dialog(info, parent_);
    dialog.exec();
}

} // namespace halcyx
