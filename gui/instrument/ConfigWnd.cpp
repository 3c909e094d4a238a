#include "gui/instrument/ConfigWnd.h"

#include "core/app/Menus.h"
#include "core/memory/RetrieveData.h"
#include "core/prompt/Operator.h"
#include "gui/app/MainFrame.h"
#include "gui/app/SequenceGuard.h"
#include "gui/app/SettingsDlg.h"
#include "gui/instrument/CTRunWnd.h"
#include "gui/instrument/DeployDlg.h"
#include "gui/instrument/DownloadDlg.h"
#include "gui/instrument/QtConfigDialogs.h"
#include "gui/instrument/VexaRunWnd.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/WindowPrinter.h"
#include "gui/terminal/CommWnd.h"
#include "gui/viewer/ViewDataDlg.h"
#include "gui/widgets/InstrumentWnd.h"
#include "gui/widgets/TextWnd.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <ctime>

namespace halcyx {

namespace {

constexpr int kBannerBitmap = 6000;
constexpr QSize kBannerSize(300, 80);
constexpr int kBannerLeft = 2;
constexpr QSize kPictureSize(128, 128);
const QString kCaption = QStringLiteral("Configuration COM Setup");
// The panel's model line once the instrument has gone away.
const QString kNotConnected = QStringLiteral("Not connected");

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

QString fromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The picture of a bitmap resource, drawn at the size the window lays it out in.
QPixmap resourcePicture(int bitmap, const QSize& size) {
    const QString path = QStringLiteral(":/bitmaps/bitmap%1.svg").arg(bitmap);
    return QPixmap(path).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

ConfigWnd::ConfigWnd(WindowContext& context, QWidget* parent)
    : ClientWnd(parent), context_(context), chooser_(context.op, this),
      portDialog_(context.settings, kCaption, this), panel_(new InstrumentWnd(this)),
      banner_(resourcePicture(kBannerBitmap, kBannerSize)) {
    for (const ModelTraits& row : kModelTraits)
        if (row.picture != kNoPicture && !modelPictures_.contains(row.picture))
            modelPictures_.emplace(row.picture, resourcePicture(row.picture, kPictureSize));
    if (context.makeDevice)
        device_ = context.makeDevice();
    panel_->readout(InstrumentWnd::Model).setValue(fromText(modelText(ProductCode::None)));
    if (!device_)
        return;
    session_ = std::make_unique<ConfigSession>(*device_, context.clock, context.op,
                                               context.settings, chooser_, portDialog_);
    const bool opened = session_->startUp();
    SequenceGuard::whenIdle(this, [this, opened] { onStartUpNotice(opened); });
}

ConfigWnd::~ConfigWnd() {
    // The port closes before the device it talks through goes.
    if (session_ && !session_->closePort()) {
        context_.op.message("Error closing Configuration communications port",
                            "COMMUNICATION PORT ERROR", Icon::Stop);
    }
    session_.reset();
}

ProductCode ConfigWnd::productCode() const {
    return session_ ? session_->record().product : noInstrument_.product;
}

ChannelMask ConfigWnd::channelMask() const {
    return session_ ? session_->settings().channelMask : noSettings_.channelMask;
}

SamplingRateFlags ConfigWnd::samplingRateFlags() const {
    const auto& rates = (session_ ? session_->settings() : noSettings_).vexa.samplingRate;
    SamplingRateFlags flags{};
    std::transform(rates.begin(), rates.end(), flags.begin(),
                   [](std::uint16_t flag) { return flag != 0; });
    return flags;
}

CastInstrument ConfigWnd::castInstrument() const {
    CastInstrument instrument;
    instrument.serialNumber =
        std::string((session_ ? session_->record() : noInstrument_).serialNumber.view());
    const SamplingRateFlags flags = samplingRateFlags();
    if (const auto chosen = std::find(flags.begin(), flags.end(), true); chosen != flags.end())
        instrument.rateIndex = static_cast<int>(chosen - flags.begin());
    return instrument;
}

void ConfigWnd::setProductCode(ProductCode product) {
    (session_ ? session_->record() : noInstrument_).product = product;
}

void ConfigWnd::setChannelMask(ChannelMask mask) {
    (session_ ? session_->settings() : noSettings_).channelMask = mask;
}

void ConfigWnd::setSamplingRateFlags(const SamplingRateFlags& flags) {
    auto& rates = (session_ ? session_->settings() : noSettings_).vexa.samplingRate;
    std::transform(flags.begin(), flags.end(), rates.begin(),
                   [](bool flag) { return static_cast<std::uint16_t>(flag ? 1 : 0); });
}

void ConfigWnd::readInstrumentSettings() {
    if (session_)
        session_->readSettings();
}

void ConfigWnd::enterRunMode() {
    if (session_)
        session_->layer().EnterRunMode();
}

bool ConfigWnd::closePort() {
    return !session_ || session_->closePort();
}

bool ConfigWnd::openPortFromSettings() {
    return !session_ || session_->openPortFromSettings();
}

void ConfigWnd::requestOpenMode() {
    if (session_)
        session_->layer().EnterOpenMode();
    refreshCommands();
}

bool ConfigWnd::onCommand(int command) {
    const bool handled = runCommand(command);
    // A device that went away under the command closed the port: say so at once.
    if (handled && session_ && session_->noticeLostDevice()) {
        showInstrument();
        refreshCommands();
    }
    return handled;
}

bool ConfigWnd::runCommand(int command) {
    switch (command) {
    case cmd::kProperties:
        showSettings();
        return true;
    case cmd::kCheckInstrument:
        checkInstrument();
        return true;
    case cmd::kPortSetup:
        portSetup();
        return true;
    case cmd::kConfigureInstrument:
        configureInstrument();
        return true;
    case cmd::kOpenConfig:
        openConfiguration();
        return true;
    case cmd::kSaveConfig:
        saveConfiguration();
        return true;
    case cmd::kContinuousDataMode:
        continuousDataMode();
        return true;
    case cmd::kViewDataFile:
        viewDataFile(context_.op, this);
        return true;
    case cmd::kCommunicationsWindow:
        communicationsWindow();
        return true;
    case cmd::kPrintConfig:
        printConfig();
        return true;
    case cmd::kDeploy:
        deploy();
        return true;
    case cmd::kRetrieveData:
        retrieveData();
        return true;
    default:
        return false;
    }
}

CommandState ConfigWnd::commandState(int command) const {
    switch (command) {
    case cmd::kProperties:
        return {};
    case cmd::kCheckInstrument:
    case cmd::kPortSetup:
    case cmd::kCommunicationsWindow:
        return {session_ != nullptr, false};
    case cmd::kViewDataFile:
        return {isCommandEnabled(command, session_ ? session_->enablingState() : EnablingState{}),
                false};
    case cmd::kConfigureInstrument:
    case cmd::kOpenConfig:
    case cmd::kSaveConfig:
    case cmd::kPrintConfig:
    case cmd::kDeploy:
    case cmd::kRetrieveData:
    case cmd::kContinuousDataMode:
        return {session_ && isCommandEnabled(command, session_->enablingState()), false};
    default:
        return ClientWnd::commandState(command);
    }
}

void ConfigWnd::onStartUpNotice(bool portOpened) {
    if (const auto outcome = session_->onStartUpNotice(portOpened))
        afterCheck(*outcome);
}

void ConfigWnd::checkInstrument() {
    if (session_)
        afterCheck(session_->checkInstrument());
}

void ConfigWnd::afterCheck(CheckOutcome outcome) {
    if (outcome == CheckOutcome::Found) {
        const MenuAfterDetection menu = menuAfterDetection(session_->record().product);
        if (MainFrame* frame = mainFrame(); frame && menu.installFresh) {
            frame->setMenu(MenuId::Config);
            if (menu.removedCommand)
                frame->removeMenuCommand(*menu.removedCommand);
        }
    }
    showInstrument();
    refreshCommands();
    // The port was changed in the setup dialog: look again once the dialog has gone.
    if (outcome == CheckOutcome::ChooseAnotherPort)
        SequenceGuard::whenIdle(this, [this] { checkInstrument(); });
}

void ConfigWnd::portSetup() {
    if (session_)
        session_->portSetup();
}

void ConfigWnd::configureInstrument() {
    if (!session_)
        return;
    QtConfigDialogs dialogs(this, session_->port(), context_.op, dcTable_);
    halcyx::configureInstrument(session_->layer(), session_->record(), session_->settings(),
                                dialogs);
    refreshCommands();
}

void ConfigWnd::openConfiguration() {
    if (!session_)
        return;
    QtConfigDialogs dialogs(this, session_->port(), context_.op, dcTable_);
    openConfigurationCommand(session_->layer(),
                             {session_->record(), session_->settings(), dcTable_}, dialogs);
    // The file may name another model, whose identity the panel shows at once.
    showInstrument();
    refreshCommands();
}

void ConfigWnd::saveConfiguration() {
    if (!session_)
        return;
    SaveConfiguration(context_.op, {session_->record(), session_->settings(), dcTable_});
    refreshCommands();
}

void ConfigWnd::continuousDataMode() {
    if (!session_)
        return;
    const auto request = ContinuousDataMode(*session_, context_.op);
    if (!request)
        return;
    const ChannelMask mask = session_->settings().channelMask;
    if (request->product == ProductCode::TavrinCT) {
        CTRunWnd window(session_->port(), context_.op, mask, request->logPath, this);
        window.exec();
    } else {
        VexaRunWnd window(session_->port(), context_.op, request->product, mask, request->logPath,
                          this);
        window.exec();
    }
    refreshCommands();
}

void ConfigWnd::communicationsWindow() {
    if (!session_)
        return;
    CommPort& port = session_->port();
    const PortChoice before{port.port(), port.baud()};
    CommWnd terminal(port, context_.op, context_.settings, this);
    terminal.exec();
    // The terminal's port and rate do not outlast it here.
    if (const auto outcome = session_->afterTerminal(before))
        afterCheck(*outcome);
    refreshCommands();
}

void ConfigWnd::printConfig() {
    if (!session_)
        return;
    WindowPrinter printer(context_.op, this);
    printConfiguration(printer, context_.op, session_->record(), session_->settings(), dcTable_);
}

void ConfigWnd::deploy() {
    if (!session_)
        return;
    QtDeployChooser chooser(this);
    // An instrument left answering gets the terminal once the command has returned.
    Deploy(session_->layer(), session_->record(), deploySelection_, chooser, [this] {
        SequenceGuard::whenIdle(this, [this] {
            // Opened from the event loop, outside the guard the idle action runs under, so
            // that the terminal's own timer may tick.
            QTimer::singleShot(0, this, [this] { communicationsWindow(); });
        });
    });
    refreshCommands();
}

void ConfigWnd::retrieveData() {
    if (!session_)
        return;
    QtDownloadDialogs dialogs(this, context_.op);
    RetrieveData(session_->layer(),
                 {session_->record(), session_->settings(), dcTable_, castInfo_, deploymentInfo_},
                 dialogs, localNow);
    refreshCommands();
}

void ConfigWnd::showSettings() {
    SettingsDlg dialog(context_.settings, context_.help, context_.op, this);
    dialog.exec();
}

void ConfigWnd::showInstrument() {
    const InstrumentRecord& record = session_ ? session_->record() : noInstrument_;
    if (session_ && session_->instrumentLost()) {
        panel_->showInstrument(kNotConnected, {}, {}, {});
        update();
        return;
    }
    panel_->showInstrument(fromText(modelText(record.product)),
                           fromText(record.serialNumber.view()), fromText(record.firmware.view()),
                           fromText(record.calDate.view()));
    update();
}

QRect ConfigWnd::bannerRect(const QSize& client) {
    return QRect(QPoint(kBannerLeft, client.height() - kBannerSize.height()), kBannerSize);
}

QRect ConfigWnd::pictureRect(const QSize& client) {
    return QRect(QPoint((client.width() - kPictureSize.width()) / 2,
                        (client.height() - kPictureSize.height()) / 2),
                 kPictureSize);
}

const QPixmap* ConfigWnd::modelPicture() const {
    const auto found = modelPictures_.find(modelTraits(productCode()).picture);
    return found == modelPictures_.end() ? nullptr : &found->second;
}

void ConfigWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(bannerRect(size()), banner_);
    if (const QPixmap* picture = modelPicture())
        painter.drawPixmap(pictureRect(size()), *picture);
}

} // namespace halcyx
