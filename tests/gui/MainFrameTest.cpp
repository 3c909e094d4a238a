// The real main window offscreen: every mode switch with its title, menu and client, the
// refusals, the close check, Exit, help contents and the frame's place on the screen.
#include "app/MainFrame.h"

#include "GuiTestSupport.h"
#include "ScriptedOperator.h"
#include "acquisition/AcqWnd.h"
#include "app/Commands.h"
#include "app/ProductCode.h"
#include "app/VeltroApp.h"
#include "instrument/ConfigWnd.h"
#include "module/ModAcqWnd.h"
#include "serial/Clock.h"
#include "settings/Profile.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

using test::ScriptedOperator;

const char* const kEndCast = "You must end the current cast before leaving aquisition!";
const char* const kStopLogging =
    "You must stop the current logging session before leaving aquisition!";

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

    QStringList menuBarTexts() {
        QStringList texts;
        for (const QAction* action : frame().menuBar()->actions())
            texts << action->text();
        return texts;
    }

    void expectConfiguration() {
        EXPECT_EQ(frame().windowTitle(), "Halcyx - Configuration");
        EXPECT_EQ(frame().client(), &app.configWnd());
        EXPECT_EQ(frame().menu(), MenuId::Config);
        EXPECT_EQ(menuBarTexts(), (QStringList{"&File", "&Configure", "&Deploy", "&Run Instrument",
                                               "&Retrieve Data", "&Communications", "&Help"}));
        EXPECT_TRUE(app.configWnd().isVisible());
        EXPECT_FALSE(app.acqWnd().isVisible());
    }

    void givenInstrument(int product, std::uint32_t mask) {
        app.configWnd().setProductCode(product);
        app.configWnd().setChannelMask(mask);
    }

    test::TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    ScriptedOperator op;
    VirtualClock clock;
    std::vector<QUrl> opened;
    VeltroApp app{{settings, &op, &clock, {}, [this](const QUrl& url) {
                       opened.push_back(url);
                       return true;
                   }}};
};

TEST_F(MainFrameTest, StartsInConfiguration) {
    expectConfiguration();
    EXPECT_EQ(frame().iconResource(), kIconAcquisition);
    EXPECT_FALSE(frame().windowIcon().isNull());
    test::screenshot(frame(), "MainFrame");
}

TEST_F(MainFrameTest, AcquisitionAndBackKeepTheSameWindows) {
    givenInstrument(kProductVexa3, 0x3f);
    const QPointer<QWidget> config = &app.configWnd();
    const QPointer<QWidget> acq = &app.acqWnd();

    choose(cmd::kAcquisition);
    EXPECT_EQ(frame().windowTitle(), "Halcyx - Acquisition");
    EXPECT_EQ(frame().client(), &app.acqWnd());
    EXPECT_EQ(menuBarTexts(),
              (QStringList{"&File", "&Display", "&Sampler", "&Communications", "&Help"}));
    EXPECT_EQ(frame().commandAction(cmd::kStartCast)->text(), "Start &Down Cast");
    EXPECT_TRUE(app.acqWnd().isVisible());
    EXPECT_FALSE(app.configWnd().isVisible());
    EXPECT_EQ(app.acqWnd().productCode(), kProductVexa3);
    EXPECT_EQ(app.acqWnd().channelMask(), 0x3fu);
    test::screenshot(frame(), "MainFrame-acquisition");

    choose(cmd::kConfiguration);
    expectConfiguration();
    EXPECT_EQ(frame().iconResource(), kIconConfiguration);
    EXPECT_TRUE(config && acq) << "client windows live through every switch";
}

TEST_F(MainFrameTest, EachInstrumentGetsItsAcquisitionMenu) {
    struct Case {
        int product;
        int command;
        MenuId menu;
        const char* startItem;
    };
    const Case cases[] = {
        {kProductTavrinCT, cmd::kAcquisition, MenuId::AcqCT, "&Start Logging"},
        {kProductTavrinP, cmd::kAcquisition, MenuId::AcqP, "&Start Logging"},
        {kProductVexa2, cmd::kTowAcquisition, MenuId::TowAcq, "Start &Logging"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(menuName(c.menu));
        givenInstrument(c.product, 0x07);
        choose(c.command);
        EXPECT_EQ(frame().menu(), c.menu);
        EXPECT_EQ(frame().windowTitle(), "Halcyx - Acquisition");
        EXPECT_EQ(frame().commandAction(cmd::kStartCast)->text(), c.startItem);
        EXPECT_EQ(frame().commandAction(cmd::kAcqProperties) != nullptr, c.menu == MenuId::AcqCT);
        choose(cmd::kConfiguration);
        expectConfiguration();
    }
    EXPECT_FLOAT_EQ(app.acqWnd().samplingRate(), 0.5f) << "no rate chosen on the Vexa 2";
}

TEST_F(MainFrameTest, TowedAcquisitionIsRefusedForTavrins) {
    givenInstrument(kProductTavrinCT, 0x07);
    op.expectMessage("Towed Acquisition is NOT available with CT instruments (NO PRESSURE)!",
                     "Application Error", Icon::Stop);
    choose(cmd::kTowAcquisition);
    expectConfiguration();

    givenInstrument(kProductTavrinP, 0x07);
    op.expectMessage("Towed Acquisition is NOT available with Tavrin Pressure instruments!",
                     "Application Error", Icon::Stop);
    choose(cmd::kTowAcquisition);
    expectConfiguration();
}

TEST_F(MainFrameTest, WithoutAnyChannelTheSwitchStopsSilently) {
    givenInstrument(kProductNone, 0);
    choose(cmd::kTowAcquisition);
    expectConfiguration();
}

TEST_F(MainFrameTest, LeavingAndExitAreRefusedWhileACastIsOpen) {
    struct Case {
        int product;
        const char* message;
    };
    for (const Case& c : {Case{kProductVexa3, kEndCast}, Case{kProductTavrinP, kStopLogging}}) {
        givenInstrument(c.product, 0x07);
        choose(cmd::kAcquisition);
        app.acqWnd().setLogging(true);

        op.expectMessage(c.message, "Status - Logging", Icon::Stop);
        choose(cmd::kConfiguration);
        EXPECT_EQ(frame().client(), &app.acqWnd());
        op.expectMessage(c.message, "Status - Logging", Icon::Stop);
        choose(cmd::kExit);
        EXPECT_TRUE(frame().isVisible());

        app.acqWnd().setLogging(false);
        choose(cmd::kConfiguration);
        expectConfiguration();
    }
}

TEST_F(MainFrameTest, ModuleAcquisitionRefusesToCloseWhileLogging) {
    choose(cmd::kModuleAcquisition);
    EXPECT_EQ(frame().windowTitle(), "Halcyx - Module Acquisition");
    EXPECT_EQ(frame().client(), &app.modAcqWnd());
    EXPECT_EQ(frame().menu(), MenuId::ModAcq);
    EXPECT_EQ(frame().commandAction(cmd::kConfiguration), nullptr) << "there is no way back";
    test::screenshot(frame(), "MainFrame-module");

    app.modAcqWnd().setLogging(true);
    op.expectMessage(kStopLogging, "Status - Logging", Icon::Stop);
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(frame().isVisible());

    app.modAcqWnd().setLogging(false);
    choose(cmd::kExit);
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(MainFrameTest, HelpContentsOpensTheIndex) {
    choose(cmd::kHelpContents);
    EXPECT_EQ(op.helpContexts, std::vector<int>{0});
}

TEST_F(MainFrameTest, CommandsWithoutAHandlerAreDisabled) {
    frame().refreshCommandStates();
    for (int command : {cmd::kAcquisition, cmd::kTowAcquisition, cmd::kModuleAcquisition,
                        cmd::kProperties, cmd::kHelpContents, cmd::kAbout, cmd::kExit})
        EXPECT_TRUE(frame().commandAction(command)->isEnabled()) << command;
    EXPECT_FALSE(frame().commandAction(cmd::kDeploy)->isEnabled());
}

TEST_F(MainFrameTest, RemovedCommandsReturnWithTheNextFreshMenu) {
    givenInstrument(kProductTavrinP, 0x07);
    frame().removeMenuCommand(cmd::kContinuousDataMode);
    EXPECT_EQ(frame().commandAction(cmd::kContinuousDataMode), nullptr);
    choose(cmd::kAcquisition);
    choose(cmd::kConfiguration);
    EXPECT_NE(frame().commandAction(cmd::kContinuousDataMode), nullptr);
}

TEST(MainFrameGeometry, TopLeftFullWidthAndTwentyPixelsShort) {
    EXPECT_EQ(MainFrame::initialGeometry(QRect(0, 0, 1024, 768)), QRect(0, 0, 1024, 748));
    EXPECT_EQ(MainFrame::initialGeometry(QRect(1920, 32, 1280, 992)), QRect(1920, 32, 1280, 972));
    EXPECT_EQ(MainFrame::initialGeometry(QRect(0, 0, 300, 10)), QRect(0, 0, 300, 0));
}

} // namespace
} // namespace halcyx
