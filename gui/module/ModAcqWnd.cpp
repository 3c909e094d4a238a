#include "gui/module/ModAcqWnd.h"

#include "core/app/ModeSwitcher.h"
#include "core/instrument/Format.h"
#include "core/module/ModGraphSettings.h"
#include "core/prompt/Operator.h"
#include "gui/acquisition/ListingWnd.h"
#include "gui/app/SequenceGuard.h"
#include "gui/module/ModGraph.h"
#include "gui/module/ModGraphSetupDlg.h"
#include "gui/module/SelectModDlg.h"

#include <QPainter>

namespace halcyx {

namespace {

constexpr QColor kBackground{128, 128, 128};
constexpr int kMargin = 2;
constexpr int kBottomRoom = 80; // under the views: the bitmap's row [px]
constexpr int kViewGap = 10;    // between the graph and the listing [px]
constexpr QSize kBitmapSize(300, 80);
// The bitmap is drawn only when the client is high enough that the views keep room.
constexpr int kBitmapHeightNeeded = 360 + kBottomRoom;
constexpr int kBitmapResource = 6000;
constexpr QPoint kGraphPosition(200, 10);
constexpr QSize kGraphSize(500, 250);

} // namespace

ModAcqWnd::ModAcqWnd(WindowContext& context, QWidget* parent)
    : ClientWnd(parent), context_(context),
      portDialog_(context.settings, QStringLiteral("Communications Setup"), this),
      listing_(new ListingWnd(this)),
      bitmap_(QPixmap(QStringLiteral(":/bitmaps/bitmap%1.svg").arg(kBitmapResource))
                  .scaled(kBitmapSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)) {
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kBackground);
    setPalette(grey);
    setAutoFillBackground(true);

    if (context.makeDevice) {
        dataDevice_ = context.makeDevice();
        navPort_ = std::make_unique<NavPort>(context, this, kNavPortModule);
        session_ = std::make_unique<ModuleSession>(*dataDevice_, context.clock, context.op,
                                                   context.settings, navPort_->session());
    }
    ModGraphData& data = session_ ? session_->graph() : noSessionGraph_;
    ModGraphSettings::read(context.settings).applyTo(data);
    graph_ = new ModGraph(data, this);
    graph_->setGeometry(QRect(kGraphPosition, kGraphSize));
    graph_->viewWidthChanged();
    listing_->hide();

    dataTimer_.setInterval(static_cast<int>(ModuleSession::kDataTickMs));
    connect(&dataTimer_, &QTimer::timeout, this,
            [this] { SequenceGuard::tryRun([this] { onDataTimer(); }); });
}

ModAcqWnd::~ModAcqWnd() {
    dataTimer_.stop();
    // The ports close before the devices they talk through go; each reports a failure.
    if (session_) {
        (void)session_->close();
        if (navPort_->session().enabled())
            (void)navPort_->close();
    }
    session_.reset();
}

void ModAcqWnd::openDataPort() {
    if (session_)
        session_->openDataPort();
}

void ModAcqWnd::openNavigationPort() {
    if (!session_)
        return;
    navPort_->open(session_->dataPort().port());
    graph_->setNavigation(navPort_->session().enabled());
}

void ModAcqWnd::setCommandHook(int command, std::function<void()> hook) {
    hooks_[command] = std::move(hook);
}

bool ModAcqWnd::onCommand(int command) {
    if (!commandState(command).enabled)
        return false;
    const bool handled = runCommand(command);
    refreshCommands();
    return handled;
}

bool ModAcqWnd::runCommand(int command) {
    if (const auto hook = hooks_.find(command); hook != hooks_.end() && hook->second) {
        hook->second();
        return true;
    }
    switch (command) {
    case cmd::kSelectModule:
        selectModule();
        return true;
    case cmd::kModStartLogging:
        startLogging();
        return true;
    case cmd::kModEndLogging:
        endLogging();
        return true;
    case cmd::kGraph:
        showViews(!graphShown_, listingShown_);
        return true;
    case cmd::kListing:
        showViews(graphShown_, !listingShown_);
        return true;
    case cmd::kGraphSetup:
        graphSetup();
        return true;
    case cmd::kGraphZoomAll:
        graph_->autozoom();
        return true;
    case cmd::kPortSetup:
        session_->PortSetup(portDialog_);
        return true;
    case cmd::kNavigationPortSetup:
        navigationPortSetup();
        return true;
    default:
        return false;
    }
}

CommandState ModAcqWnd::commandState(int command) const {
    const bool ports = session_ != nullptr;
    const bool selected = ports && session_->moduleSelected();
    const bool logs = logging();
    const bool hooked = hooks_.contains(command);
    switch (command) {
    case cmd::kSelectModule:
    case cmd::kPortSetup:
    case cmd::kNavigationPortSetup:
        return {ports, false};
    case cmd::kModStartLogging:
        return {selected && !logs, false};
    case cmd::kModEndLogging:
        return {selected && logs, false};
    case cmd::kPrint:
    case cmd::kPrintPreview:
        return {hooked && ports && session_->recordCount() > 0 && !logs, false};
    case cmd::kPrinterSetup:
        return {hooked, false};
    case cmd::kCommunicationsWindow:
        return {hooked && ports && !logs, false};
    case cmd::kGraph:
        return {true, graphShown_};
    case cmd::kListing:
        return {true, listingShown_};
    case cmd::kGraphSetup:
    case cmd::kGraphZoomAll:
        return {};
    default:
        return ClientWnd::commandState(command);
    }
}

void ModAcqWnd::selectModule() {
    SelectModDlg dialog(session_->moduleType(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    session_->SelectModule(dialog.chosen());
    graph_->redrawStrip();
}

void ModAcqWnd::startLogging() {
    if (!session_->StartLogging())
        return;
    graph_->redrawStrip();
    setFrameTitle(QString::fromStdString(
        formatText("%s - Filename: [%s]", kTitleModuleAcquisition, session_->fileName().c_str())));
    dataTimer_.start();
    navPort_->startCast();
}

void ModAcqWnd::endLogging() {
    navPort_->endCast();
    dataTimer_.stop();
    session_->EndLogging();
}

void ModAcqWnd::onDataTimer() {
    if (!session_ || !session_->logging())
        return;
    const bool hadRecords = session_->recordCount() > 0;
    const ModuleTick tick = session_->tick();
    if (tick.records > 0)
        listing_->follow(session_->listing());
    if (tick.redrawStrip)
        graph_->redrawStrip();
    if (tick.zoom)
        graph_->autozoom();
    if (!hadRecords && session_->recordCount() > 0)
        refreshCommands();
}

void ModAcqWnd::graphSetup() {
    ModGraphData& data = session_ ? session_->graph() : noSessionGraph_;
    const int width = data.view().viewWidth();
    const ModGraphSettings current{rangeText(data.range().minimum),
                                   rangeText(data.range().maximum),
                                   graphShown_,
                                   data.grid(),
                                   width == StripView::kNarrow   ? 0
                                   : width == StripView::kNormal ? 1
                                                                 : 2,
                                   data.units()};
    ModGraphSetupDlg dialog(current, context_.op, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const ModGraphSettings chosen = dialog.settings();
    chosen.write(context_.settings);
    chosen.applyTo(data);
    graph_->viewWidthChanged();
    showViews(chosen.show, listingShown_);
}

void ModAcqWnd::navigationPortSetup() {
    navPort_->setup();
    graph_->setNavigation(navPort_->session().enabled());
}

void ModAcqWnd::showViews(bool graphShown, bool listingShown) {
    graphShown_ = graphShown;
    listingShown_ = listingShown;
    const Layout layout = layoutFor(size(), graphShown_, listingShown_);
    graph_->setVisible(graphShown_);
    graph_->setGeometry(layout.graph);
    listing_->setVisible(listingShown_);
    listing_->setGeometry(layout.listing);
    graph_->update();
    update();
}

ModAcqWnd::Layout ModAcqWnd::layoutFor(const QSize& client, bool graphShown, bool listingShown) {
    const int w = client.width() - 2 * kMargin, h = client.height();
    Layout layout;
    if (graphShown && listingShown) {
        const int half = (h - kBottomRoom) / 2 - kViewGap;
        layout.graph = QRect(kMargin, kMargin, w, half);
        layout.listing = QRect(kMargin, kMargin + half + kViewGap, w, half);
    } else if (graphShown || listingShown) {
        (graphShown ? layout.graph : layout.listing) =
            QRect(kMargin, kMargin, w, h - kBottomRoom - kMargin);
    }
    if (h > kBitmapHeightNeeded)
        layout.bitmap = QRect(QPoint(kMargin, h - kBottomRoom), kBitmapSize);
    return layout;
}

void ModAcqWnd::resizeEvent(QResizeEvent* event) {
    ClientWnd::resizeEvent(event);
    showViews(graphShown_, listingShown_);
}

void ModAcqWnd::paintEvent(QPaintEvent*) {
    const QRect place = layoutFor(size(), graphShown_, listingShown_).bitmap;
    if (place.isEmpty())
        return;
    QPainter painter(this);
    painter.drawPixmap(place, bitmap_);
}

} // namespace halcyx
