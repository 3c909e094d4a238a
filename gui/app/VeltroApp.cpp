#include "gui/app/VeltroApp.h"

#include "core/app/HelpLocation.h"
#include "core/base/Commands.h"
#include "core/settings/Catalogue.h"
#include "gui/acquisition/AcqWnd.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/MainFrame.h"
#include "gui/app/QtClock.h"
#include "gui/app/QtOperator.h"
#include "gui/instrument/ConfigWnd.h"
#include "gui/module/ModAcqWnd.h"
#include "gui/printing/ModulePrinting.h"

#include <QGuiApplication>
#include <QScreen>

// The compiled-in icons and pictures live in this static library; registering them here
// keeps the linker from dropping them.
static void initResources() {
    Q_INIT_RESOURCE(halcyx);
}

namespace halcyx {

namespace {

Operator& chooseOperator(Operator* given, std::unique_ptr<QtOperator>& own, HelpViewer& help) {
    if (given)
        return *given;
    own = std::make_unique<QtOperator>(help);
    return *own;
}

Clock& chooseClock(Clock* given, std::unique_ptr<Clock>& own) {
    if (given)
        return *given;
    own = std::make_unique<QtClock>();
    return *own;
}

} // namespace

VeltroApp::VeltroApp(AppServices services)
    : help_(HelpViewer::shippedHelpPages(), std::move(services.helpOpener)),
      op_(&chooseOperator(services.op, qtOperator_, help_)),
      context_{*op_, chooseClock(services.clock, qtClock_), services.settings, help_,
               std::move(services.makeDevice)} {
    initResources();
    // The help path is known before any window could ask for help.
    help_.setPath(kHelpFile.read(services.settings));

    auto modAcq = std::make_unique<ModAcqWnd>(context_);
    installModulePrinting(*modAcq, *op_);
    auto acq = std::make_unique<AcqWnd>(context_);
    auto config = std::make_unique<ConfigWnd>(context_);
    modAcq_ = modAcq.get();
    acq_ = acq.get();
    config_ = config.get();
    acq_->setInstrumentSource(config_->dcTable(), [this] { return config_->castInstrument(); });
    frame_ = std::make_unique<MainFrame>(config.release(), acq.release(), modAcq.release());
    if (qtOperator_)
        qtOperator_->setParentWindow(frame_.get());

    modes_ = std::make_unique<ModeSwitcher>(*frame_, *config_, *acq_, *modAcq_, *op_);
    frame_->setCommandHandler([this](int command) { return handleCommand(command); });
    frame_->setCloseCheck([this] { return modes_->mayClose(); });
    modes_->start();
}

VeltroApp::~VeltroApp() = default;

void VeltroApp::show() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    frame_->showPlaced(screen ? screen->availableGeometry() : QRect(0, 0, 800, 600));
}

bool VeltroApp::handleCommand(int command) {
    if (modes_->handleCommand(command))
        return true;
    switch (command) {
    case cmd::kHelpContents:
        op_->showHelp(help::kIndex);
        return true;
    case cmd::kAbout: {
        AboutDlg about(frame_.get());
        about.exec();
        return true;
    }
    case cmd::kExit:
        frame_->close();
        return true;
    default:
        return false;
    }
}

} // namespace halcyx
