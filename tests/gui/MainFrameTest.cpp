// The real main window offscreen: every mode switch with its title, menu and client, the
// refusals, the close check in module acquisition (acquisition's is in AcqWndTest), Exit, help
// contents and the frame's place on the screen, title bar included.
#include "gui/app/MainFrame.h"

#include "core/base/Commands.h"
#include "core/base/Product.h"
#include "core/serial/Clock.h"
#include "core/settings/Profile.h"
#include "gui/acquisition/AcqWnd.h"
#include "gui/app/VeltroApp.h"
#include "gui/instrument/ConfigWnd.h"
#include "gui/module/ModAcqWnd.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

class MainFrameTest : public test::GuiTest {
protected:
    MainFrameTest() { app.show(); }
    MainFrame& frame() { return app.frame(); }

    // Chooses the menu item, as the operator would.
    void choose(int command) {
        QAction* action = frame().commandAction(command);
        ASSERT_NE(action, nullptr) << "no menu item for command " << command;
        frame().refreshCommandStates();
        ASSERT_TRUE(action->isEnabled()) << "command " << command << " is disabled";
        action->trigger();
    }

    // The frame shows the mode's title, a fresh menu bar and the client window, no other.
    void expectMode(const char* title, MenuId menu, ClientWnd* client) {
        EXPECT_EQ(frame().windowTitle(), title);
        EXPECT_EQ(frame().menu(), menu);
        EXPECT_EQ(frame().menuBar()->actions().size(), qsizetype(menuResource(menu).size()));
        EXPECT_EQ(frame().client(), client);
        for (ClientWnd* window : clients)
            EXPECT_EQ(window->isVisible(), window == client) << window->metaObject()->className();
    }
    void expectConfiguration() {
        expectMode("Halcyx - Configuration", MenuId::Config, &app.configWnd());
    }

    void givenInstrument(ProductCode product, ChannelMask mask) {
        app.configWnd().setProductCode(product);
        app.configWnd().setChannelMask(mask);
    }

    test::TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    test::ScriptedOperator op;
    VirtualClock clock;
    VeltroApp app{{settings, &op, &clock, {}, [](const QUrl&) { return true; }}};
    const std::vector<ClientWnd*> clients{&app.configWnd(), &app.acqWnd(), &app.modAcqWnd()};
};

TEST_F(MainFrameTest, StartsInConfigurationWithCommandsWithoutAHandlerDisabled) {
    expectConfiguration();
    EXPECT_EQ(frame().iconResource(), kIconAcquisition);
    EXPECT_FALSE(frame().windowIcon().isNull());
    frame().refreshCommandStates();
    for (int command : {cmd::kAcquisition, cmd::kTowAcquisition, cmd::kModuleAcquisition,
                        cmd::kProperties, cmd::kHelpContents, cmd::kAbout, cmd::kExit})
        EXPECT_TRUE(frame().commandAction(command)->isEnabled()) << command;
    EXPECT_FALSE(frame().commandAction(cmd::kDeploy)->isEnabled());
    test::screenshot(frame(), "MainFrame");

    choose(cmd::kHelpContents);
    EXPECT_EQ(op.helpContexts, std::vector<int>{0});
}

TEST_F(MainFrameTest, EachInstrumentGetsItsAcquisitionMenuAndComesBackToTheSameWindows) {
    const QPointer<QWidget> config = &app.configWnd(), acq = &app.acqWnd();
    frame().removeMenuCommand(cmd::kContinuousDataMode);
    struct Case {
        ProductCode product;
        int command;
        MenuId menu;
        const char* startItem;
    };
    const Case cases[] = {
        {ProductCode::Vexa3, cmd::kAcquisition, MenuId::Acq, "Start &Down Cast"},
        {ProductCode::TavrinCT, cmd::kAcquisition, MenuId::AcqCT, "&Start Logging"},
        {ProductCode::TavrinP, cmd::kAcquisition, MenuId::AcqP, "&Start Logging"},
        {ProductCode::Vexa2, cmd::kTowAcquisition, MenuId::TowAcq, "Start &Logging"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(menuName(c.menu));
        givenInstrument(c.product, 0x07);
        choose(c.command);
        expectMode("Halcyx - Acquisition", c.menu, &app.acqWnd());
        EXPECT_EQ(frame().iconResource(), kIconAcquisition);
        EXPECT_EQ(frame().commandAction(cmd::kStartCast)->text(), c.startItem);
        EXPECT_EQ(app.acqWnd().productCode(), c.product);
        EXPECT_EQ(app.acqWnd().channelMask(), 0x07u);
        test::screenshot(frame(), QStringLiteral("MainFrame-%1").arg(menuName(c.menu)));

        choose(cmd::kConfiguration);
        expectConfiguration();
        EXPECT_EQ(frame().iconResource(), kIconConfiguration);
        EXPECT_NE(frame().commandAction(cmd::kContinuousDataMode), nullptr)
            << "a removed command returns with the next fresh menu";
    }
    EXPECT_FLOAT_EQ(app.acqWnd().samplingRate(), 0.5f) << "no rate chosen on the Vexa 2";
    EXPECT_TRUE(config && acq) << "client windows live through every switch";
}

// The refusal to close while a module is logged is tested with the module window.
TEST_F(MainFrameTest, ModuleAcquisitionHasNoWayBack) {
    choose(cmd::kModuleAcquisition);
    expectMode("Halcyx - Module Acquisition", MenuId::ModAcq, &app.modAcqWnd());
    EXPECT_EQ(frame().commandAction(cmd::kConfiguration), nullptr);
    test::screenshot(frame(), "MainFrame-module");
    choose(cmd::kExit);
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(MainFrameTest, TheWholeFrameTitleBarIncludedSitsAtTheScreensTopLeft) {
    QApplication::processEvents();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NE(frame().geometry(), frame().frameGeometry()) << "the platform adds a frame";
    // Full width, twenty pixels short of the available height.
    EXPECT_EQ(frame().frameGeometry(), available.adjusted(0, 0, 0, -20));
}

} // namespace
} // namespace halcyx
