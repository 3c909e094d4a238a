#include "gui/acquisition/AcqWnd.h"

#include "core/app/ModeSwitcher.h"
#include "core/app/PrintRules.h"
#include "core/graphs/AcqLayout.h"
#include "gui/acquisition/AcqSetupDlg.h"
#include "gui/acquisition/HeaderDlg.h"
#include "gui/acquisition/ListingWnd.h"
#include "gui/acquisition/NavPort.h"
#include "gui/app/SequenceGuard.h"
#include "gui/graphs/GraphWnd.h"
#include "gui/graphs/PresGraphWnd.h"
#include "gui/graphs/PressureSetupDlg.h"
#include "gui/instrument/DCSetupDlg.h"
#include "gui/plot/PresGraphPainter.h"
#include "gui/printing/PrintCommands.h"
#include "gui/printing/WindowPrinter.h"
#include "gui/terminal/CommWnd.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace halcyx {

namespace {

struct ReadoutPlace {
    const char* label;
    QRect field;  // [px]
    int labelTop; // [px]
};
constexpr int kLabelLeft = 10;
constexpr int kLabelWidth = 90;
constexpr int kLabelHeight = 20;
const std::array<ReadoutPlace, AcqWnd::kReadoutRows> kReadoutPlaces{{
    {"Scans", QRect(100, 1, 70, 20), 0},
    {"Pressure", QRect(100, 25, 100, 20), 27},
    {"Temperature", QRect(100, 50, 100, 20), 52},
    {"Conductivity", QRect(100, 75, 100, 20), 77},
}};
const QRect kFirePlace(10, 110, 100, 30);
const QRect kHomePlace(130, 110, 70, 30);
const QRect kSamplerStatusPlace(20, 170, 160, 20);
constexpr int kSamplerLabelTop = 150;
const QRect kGraphPlace(250, 10, 300, 400);
constexpr const char* kTowedTitle = "Halcyx - Towed Acquisition";
// Enough for the caption and a file name of any length the system allows.
constexpr std::size_t kCaptionBytes = 512;

bool isGraphCommand(int command) {
    return command >= cmd::kGraphSetup && command <= cmd::kGraphCoordinates;
}

bool isPressureGraphCommand(int command) {
    return command >= cmd::kPressureGraph1 && command <= cmd::kPressureGraph4;
}

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

QLineEdit* readoutField(QWidget* parent, const QRect& place) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setGeometry(place);
    return field;
}

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

} // namespace

AcqWnd::AcqWnd(WindowContext& context, QWidget* parent)
    : ClientWnd(parent), context_(context),
      portDialog_(context.settings, QStringLiteral("Communications Setup"), this),
      fire_(new QPushButton(QStringLiteral("Fire"), this)),
      home_(new QPushButton(QStringLiteral("Home"), this)), samplerStatus_(new QLabel(this)),
      graph_(new GraphWnd(context, this)), listing_(new ListingWnd(this)),
      printer_(std::make_unique<WindowPrinter>(context.op, this)) {
    for (std::size_t row = 0; row < readouts_.size(); ++row)
        readouts_[row] = readoutField(this, kReadoutPlaces[row].field);
    fire_->setGeometry(kFirePlace);
    home_->setGeometry(kHomePlace);
    samplerStatus_->setGeometry(kSamplerStatusPlace);
    connect(fire_, &QPushButton::clicked, this, [this] { onCommand(cmd::kFireBottle); });
    connect(home_, &QPushButton::clicked, this, [this] { onCommand(cmd::kHomeSampler); });
    for (QWidget* sampler : {static_cast<QWidget*>(fire_), static_cast<QWidget*>(home_),
                             static_cast<QWidget*>(samplerStatus_)})
        sampler->hide();
    graph_->setGeometry(kGraphPlace);
    listing_->hide();
    // The cast session zooms the profile graph as the graph's own settings say.
    connect(graph_, &GraphWnd::autoZoomChanged, this, [this](bool enabled, int updateRate) {
        if (session_ && session_->isSetUp())
            session_->cast().setAutoZoom(enabled, static_cast<std::uint32_t>(updateRate));
    });
    for (int k = 0; k < kPressureGraphs; ++k) {
        auto* pressure = new PresGraphWnd(k, this);
        pressure->hide();
        connect(pressure, &PresGraphWnd::setupRequested, this,
                [this](int index) { onCommand(cmd::kPressureGraph1 + index); });
        pressureGraphs_[static_cast<std::size_t>(k)] = pressure;
    }

    connect(&dataTimer_, &QTimer::timeout, this, [this] {
        // A tick waits while a command sequence talks to the port; the next takes it up.
        SequenceGuard::tryRun([this] { tick(); });
    });
    if (context.makeDevice)
        device_ = context.makeDevice();
    if (device_) {
        session_ =
            std::make_unique<AcqSession>(*device_, context.clock, context.op, context.settings);
        nav_ = std::make_unique<NavPort>(context, this);
    }
}

AcqWnd::~AcqWnd() {
    dataTimer_.stop();
    // The data file is flushed and closed with the session; the port closes before the
    // device it talks through goes.
    if (session_)
        (void)session_->closeDataPort();
    session_.reset();
    // Reports its own failure; nothing is left to do about it.
    if (nav_)
        (void)nav_->close();
}

void AcqWnd::setInstrumentSource(DCChannelTable& dcTable, InstrumentFacts facts) {
    dcTable_ = &dcTable;
    facts_ = std::move(facts);
}

void AcqWnd::setTowed(bool towed) {
    towed_ = towed;
    if (session_)
        session_->setTowed(towed);
    layoutChildren();
}

bool AcqWnd::closeDataPort() {
    dataTimer_.stop();
    return !session_ || session_->closeDataPort();
}

void AcqWnd::openDataPort() {
    if (!session_)
        return;
    setUp();
    (void)session_->openDataPort();
    refreshCommands();
}

void AcqWnd::openNavigationPort() {
    if (nav_)
        nav_->open(session_->port().port());
}

void AcqWnd::setUp() {
    if (session_->setInstrument(product_, channelMask_, *dcTable_)) {
        CastSession& cast = session_->cast();
        cast.subscribe(*this);
        cast.subscribe(*graph_);
        cast.decoder().setConstants(constantPressure_, constantLatitude_);
        graph_->setChannels(cast.decoder().channels(), cast.decoder().layout());
        for (std::size_t row = 0; row < readouts_.size(); ++row)
            readouts_[row]->setVisible(showsReadout(static_cast<ReadoutRow>(row)));
    }
    // The pressure graphs read their settings at every entry into acquisition.
    if (session_->isSetUp())
        for (PresGraphWnd* pressure : pressureGraphs_)
            pressure->loadSettings(context_.settings, session_->cast().decoder().channels());
    layoutChildren();
}

bool AcqWnd::showsReadout(ReadoutRow row) const {
    switch (row) {
    case Pressure:
        return product_ != ProductCode::TavrinCT;
    case Temperature:
    case Conductivity:
        return product_ != ProductCode::TavrinP;
    default:
        return true;
    }
}

AcqCommandContext AcqWnd::commandContext() const {
    return {logging(),     !session_ || session_->downCast(),
            towed_,        samplerEnabled_,
            graphVisible_, listingVisible_};
}

bool AcqWnd::onCommand(int command) {
    if (isGraphCommand(command))
        return graph_->onCommand(command);
    const bool handled = runCommand(command);
    if (handled)
        refreshCommands();
    return handled;
}

bool AcqWnd::runCommand(int command) {
    if (!commandState(command).enabled)
        return false;
    switch (command) {
    case cmd::kStartCast:
    case cmd::kStartUpCast:
        startCast(command == cmd::kStartCast);
        return true;
    case cmd::kEndCast:
    case cmd::kEndUpCast:
        endCast();
        return true;
    case cmd::kAcqProperties:
        acqSettings();
        return true;
    case cmd::kDcChannelSetup:
        dcChannelSetup();
        return true;
    case cmd::kPortSetup:
        portSetup();
        return true;
    case cmd::kGraph:
        graphVisible_ = !graphVisible_;
        layoutChildren();
        return true;
    case cmd::kListing:
        listingVisible_ = !listingVisible_;
        layoutChildren();
        return true;
    case cmd::kEnableSampler:
        toggleSampler();
        return true;
    case cmd::kHomeSampler:
    case cmd::kFireBottle:
        samplerCommand(command);
        return true;
    case cmd::kCommunicationsWindow: {
        // The terminal's port and rate stay with the data port afterwards.
        CommWnd terminal(session_->port(), context_.op, context_.settings, this);
        terminal.exec();
        return true;
    }
    case cmd::kPrint:
    case cmd::kPrintPreview:
    case cmd::kPrintPressureGraphs:
    case cmd::kPreviewPressureGraphs:
    case cmd::kPrinterSetup:
        printCommand(command);
        return true;
    case cmd::kNavigationPortSetup:
        nav_->setup();
        return true;
    default:
        if (!isPressureGraphCommand(command))
            return false;
        pressureGraphSetup(command - cmd::kPressureGraph1);
        return true;
    }
}

void AcqWnd::printCommand(int command) {
    if (command == cmd::kPrinterSetup) {
        printer_->setup();
        return;
    }
    const CastInfo& info = session_->cast().info();
    const PressureGraphs pressureGraphs = [this](int index) {
        const PresGraph& graph = pressureGraph(index).graph();
        return PressureGraphSource{graph.title(), graph.colourName(),
                                   std::make_unique<PresGraphPainter>(graph)};
    };
    switch (command) {
    case cmd::kPrint:
        printCastGraph(*printer_, context_.op, graph_->graph(), info);
        return;
    case cmd::kPrintPreview:
        previewCastGraph(*printer_, context_.op, graph_->graph(), info);
        return;
    case cmd::kPrintPressureGraphs:
        printPressureGraph(*printer_, this, pressureGraphs, info);
        return;
    default:
        previewPressureGraph(*printer_, this, pressureGraphs, info);
        return;
    }
}

CommandState AcqWnd::commandState(int command) const {
    if (isGraphCommand(command))
        return graph_->commandState(command);
    if (isGraphPrintCommand(command))
        return printCommandState(command, session_ ? graph_->graph().count() : 0, logging());
    const std::optional<CommandState> state = acqCommandState(command, commandContext());
    if (!state)
        return ClientWnd::commandState(command);
    // The port setups, the terminal and the sampler need ports; casts, the DC channels and
    // the pressure graphs' colour parameters a session set up for an instrument that sends
    // scans.
    const bool needsSetUp = command == cmd::kStartCast || command == cmd::kStartUpCast ||
                            command == cmd::kDcChannelSetup || isPressureGraphCommand(command);
    const bool needsPort = command == cmd::kPortSetup || command == cmd::kNavigationPortSetup ||
                           command == cmd::kCommunicationsWindow || command == cmd::kHomeSampler ||
                           command == cmd::kFireBottle;
    if ((needsPort && !session_) || (needsSetUp && !(session_ && session_->isSetUp())))
        return {false, state->checked};
    return *state;
}

void AcqWnd::startCast(bool down) {
    if (!session_->startCast(down, localNow()))
        return;
    CastSession& cast = session_->cast();
    graph_->clearData();
    cast.setTowed(towed_, towed_ ? nav_->stamp() : nullptr);
    // Pressure graphs are drawn and fed in towed mode only; a profile cast leaves the
    // strips of the last towed cast as they were.
    if (towed_)
        for (PresGraphWnd* pressure : pressureGraphs_)
            pressure->startCast(samplingRate_);
    readouts_[Scans]->setText(QStringLiteral("0"));
    char caption[kCaptionBytes];
    const std::string name = std::filesystem::path(cast.info().dataFile).filename().string();
    std::snprintf(caption, sizeof caption, "%s - Filename: [%s]",
                  towed_ ? kTowedTitle : kTitleAcquisition, name.c_str());
    setFrameTitle(QString::fromLocal8Bit(caption));
    dataTimer_.start(session_->tickPeriodMs());
    if (towed_)
        nav_->startCast();
}

void AcqWnd::tick() {
    if (!session_ || !session_->logging())
        return;
    const bool goesOn = session_->tick();
    listing_->follow(session_->cast().listing());
    if (!goesOn)
        endCast();
}

void AcqWnd::endCast() {
    nav_->endCast();
    dataTimer_.stop();
    const CastInstrument instrument = facts_ ? facts_() : CastInstrument{};
    session_->endCast(instrument, localNow(), [this](CastInfo& info) {
        HeaderDlg dialog(info, context_.op, this);
        dialog.exec();
    });
    refreshCommands();
}

void AcqWnd::onReadout(Readout which, std::string_view text) {
    static constexpr std::array<ReadoutRow, kReadouts> kRows = {Conductivity, Temperature,
                                                                Pressure};
    readouts_[kRows[static_cast<std::size_t>(which)]]->setText(
        QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void AcqWnd::onScanCount(int scans) {
    readouts_[Scans]->setText(QString::number(scans));
}

void AcqWnd::onPressurePoint(const ScanRecord& record) {
    for (PresGraphWnd* pressure : pressureGraphs_)
        pressure->addScan(record, nav_->fix());
}

void AcqWnd::onPressureRedraw() {
    for (PresGraphWnd* pressure : pressureGraphs_)
        pressure->redrawStrip();
}

void AcqWnd::acqSettings() {
    AcqSetupDlg dialog(constantPressure_, constantLatitude_, context_.op, this);
    if (dialog.exec() == QDialog::Accepted && session_ && session_->isSetUp())
        session_->cast().decoder().setConstants(constantPressure_, constantLatitude_);
}

void AcqWnd::dcChannelSetup() {
    DCSetupDlg dialog(*dcTable_, context_.op, this);
    dialog.exec();
    // Whichever button closed it: the channels that are on take the coefficients now shown.
    session_->cast().decoder().reconvertDcCoefficients(*dcTable_);
}

void AcqWnd::portSetup() {
    session_->portSetup(portDialog_);
}

void AcqWnd::toggleSampler() {
    samplerEnabled_ = !samplerEnabled_;
    fire_->setVisible(samplerEnabled_);
    home_->setVisible(samplerEnabled_);
    samplerStatus_->setVisible(samplerEnabled_);
    fire_->setEnabled(commandState(cmd::kFireBottle).enabled);
    home_->setEnabled(commandState(cmd::kHomeSampler).enabled);
    update();
}

void AcqWnd::samplerCommand(int command) {
    dataTimer_.stop();
    const bool restart = command == cmd::kHomeSampler ? sampler_.home(*session_, context_.op)
                                                      : sampler_.fire(*session_, context_.op);
    samplerStatus_->setText(QString::fromStdString(sampler_.status()));
    if (restart)
        dataTimer_.start(session_->tickPeriodMs());
}

void AcqWnd::pressureGraphSetup(int index) {
    PressureSetupDlg dialog(*pressureGraphs_[static_cast<std::size_t>(index)],
                            session_->cast().decoder().channels(), context_.settings, context_.op,
                            this);
    dialog.exec();
    layoutChildren();
}

void AcqWnd::layoutChildren() {
    const auto shows = [this](const PresGraphWnd* pressure) {
        return towed_ && pressure->graphEnabled();
    };
    const auto shown =
        static_cast<int>(std::count_if(pressureGraphs_.begin(), pressureGraphs_.end(), shows));
    const AcqLayout layout =
        layoutAcqWnd(width(), height(), towed_, graphVisible_, listingVisible_, shown);
    graph_->setVisible(layout.graph.has_value());
    if (layout.graph)
        graph_->setGeometry(toQRect(*layout.graph));
    listing_->setVisible(layout.listing.has_value());
    if (layout.listing)
        listing_->setGeometry(toQRect(*layout.listing));
    auto place = layout.pressure.begin();
    for (PresGraphWnd* pressure : pressureGraphs_) {
        pressure->setVisible(shows(pressure));
        if (shows(pressure))
            pressure->setGeometry(toQRect(*place++));
    }
    update();
}

void AcqWnd::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void AcqWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (std::size_t row = 0; row < readouts_.size(); ++row)
        if (showsReadout(static_cast<ReadoutRow>(row)))
            painter.drawText(
                QRect(kLabelLeft, kReadoutPlaces[row].labelTop, kLabelWidth, kLabelHeight),
                Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(kReadoutPlaces[row].label));
    if (product_ == ProductCode::Vexa3 && !towed_ && samplerEnabled_)
        painter.drawText(
            QRect(kLabelLeft, kSamplerLabelTop, kSamplerStatusPlace.width(), kLabelHeight),
            Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Sampler Status"));
}

} // namespace halcyx
