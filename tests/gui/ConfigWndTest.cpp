// The configuration window offscreen with a simulated instrument: start-up detection, a
// port that will not open, a device that goes away and comes back, the instrument panel,
// the menu after detection, configuring from the menu, and the port setup and product
// dialogs.
#include "gui/instrument/ConfigWnd.h"

#include "core/base/Commands.h"
#include "core/settings/Profile.h"
#include "gui/app/MainFrame.h"
#include "gui/app/VeltroApp.h"
#include "gui/instrument/ConfigVexa.h"
#include "gui/instrument/ProductDlg.h"
#include "gui/instrument/SetComportDlg.h"
#include "gui/widgets/InstrumentWnd.h"
#include "gui/widgets/TextWnd.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimProgram.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

using test::ScriptedOperator;

// The program with a simulated instrument on COM1, looking for it at start-up.
class ConfigWndTest : public test::GuiTest, protected test::SimProgram {
protected:
    ConfigWndTest(ProductCode model, const char* serialNumber, const char* firmware)
        : SimProgram(model, [=](sim::Instrument::Config& config) {
              config.identity = {serialNumber, firmware, "10OCT97", 1};
          }) {}
    ConfigWndTest() : ConfigWndTest(ProductCode::Vexa3, "1634M", "2.10") {}

    QString readout(InstrumentWnd::Row row) { return app.configWnd().panel().readout(row).value(); }
    bool enabled(int command) {
        app.frame().refreshCommandStates();
        return app.frame().commandAction(command)->isEnabled();
    }
};

// Found at start-up and shown in the panel; then the device goes away and comes back.
TEST_F(ConfigWndTest, AVanishedDeviceIsNotConnectedUntilACheckFindsItAgain) {
    EXPECT_EQ(readout(InstrumentWnd::Model), "NONE");
    rig.settle();
    ASSERT_EQ(readout(InstrumentWnd::Model), "Vexa 3");
    EXPECT_EQ(readout(InstrumentWnd::SerialNumber), "1634M");
    EXPECT_EQ(readout(InstrumentWnd::Firmware), "2.10");
    EXPECT_EQ(readout(InstrumentWnd::CalDate), "10OCT97");
    EXPECT_EQ(app.configWnd().productCode(), ProductCode::Vexa3);
    app.show();
    test::screenshot(app.frame(), "ConfigWnd-vexa3");
    MainFrame& frame = app.frame();

    rig.device.unplug();
    bool dialogShown = false;
    QTimer::singleShot(0, [&dialogShown] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    op.expectMessage("WriteComm Error = 5", "COMMUNICATION PORT ERROR", Icon::Stop)
        .expectMessage(std::strerror(EIO), "GetLastError", Icon::Information);
    frame.runCommand(cmd::kConfigureInstrument);
    rig.settle();
    EXPECT_FALSE(dialogShown) << "no dialog of empty fields";
    EXPECT_EQ(readout(InstrumentWnd::Model), "Not connected");
    EXPECT_EQ(readout(InstrumentWnd::SerialNumber), "");
    EXPECT_FALSE(enabled(cmd::kConfigureInstrument));
    EXPECT_TRUE(enabled(cmd::kCheckInstrument));

    // The device is back: the check opens the closed port again and finds it.
    rig.device.plugIn();
    frame.runCommand(cmd::kCheckInstrument);
    EXPECT_EQ(readout(InstrumentWnd::Model), "Vexa 3");
    EXPECT_TRUE(enabled(cmd::kConfigureInstrument));
}

TEST_F(ConfigWndTest, ConfigureInstrumentWritesWhatTheDialogSaved) {
    rig.settle();
    EXPECT_FALSE(enabled(cmd::kSaveConfig)) << "nothing read yet";
    EXPECT_FALSE(enabled(cmd::kPrintConfig));
    ASSERT_TRUE(enabled(cmd::kConfigureInstrument));

    test::whenModalOpens([](QDialog& dialog) {
        auto& vexa = dynamic_cast<ConfigVexa&>(dialog);
        EXPECT_EQ(vexa.intervalTime()->text(), "00:01:00") << "read from the instrument";
        EXPECT_EQ(vexa.instrumentDate()->text(), "12-06-2026");
        vexa.onTime()->setText("00:00:45");
        vexa.accept();
    });
    app.frame().commandAction(cmd::kConfigureInstrument)->trigger();

    EXPECT_EQ(rig.instrument().storedSettings().onTime, "00:00:45");
    EXPECT_TRUE(enabled(cmd::kSaveConfig));

    // The settings sheet goes to the print dialog of its model.
    ASSERT_TRUE(enabled(cmd::kPrintConfig));
    bool asked = false;
    test::whenModalOpens([&asked](QDialog& dialog) {
        asked = dialog.windowTitle() == "Print Vexa Configuration";
        dialog.reject();
    });
    app.frame().commandAction(cmd::kPrintConfig)->trigger();
    EXPECT_TRUE(asked);
}

TEST(ConfigWndStartUp, APortThatWillNotOpenIsExplainedOnceWithItsDeviceAndSettingsFile) {
    test::guiApp();
    test::TempFolder folder;
    Profile settings(folder.path() / "Halcyx.ini");
    settings.writeString("PORTS", "COM2", "/dev/ttyUSB7");
    settings.writeString("COMMPORT", "Port", "2");
    test::SimRig rig;
    rig.pumpEvents = [] { QApplication::processEvents(); };
    rig.device.unplug();
    ScriptedOperator& op = rig.op;
    for (int open = 0; open < 2; ++open) { // the start-up opens the port twice
        op.expectMessage("OpenComm Error(COM2) = 2", "COMMUNICATION PORT ERROR", Icon::Stop)
            .expectMessage(std::strerror(ENOENT), "GetLastError", Icon::Information)
            .expectMessage("Error opening COM2", "OPEN COMM ERROR", Icon::Stop);
    }
    op.expectMessage("COM2 is the device /dev/ttyUSB7, which could not be opened: " +
                         std::string(std::strerror(ENOENT)) +
                         ".\n\nChoose another port in the Communications Setup dialog that "
                         "follows (later: Communications, Setup), or give COM2 another device "
                         "with its key in the [PORTS] section of the settings file " +
                         settings.path().string() + ", for example COM2=/dev/ttyUSB0.",
                     "Serial Port Not Available", Icon::Information);
    VeltroApp app{{settings, &op, &rig.clock, [&rig] { return rig.connect(); },
                   [](const QUrl&) { return true; }}};
    QString setupTitle;
    test::whenModalOpens([&setupTitle](QDialog& dialog) {
        setupTitle = dialog.windowTitle();
        dialog.reject();
    });
    rig.settle();
    EXPECT_EQ(setupTitle, "Configuration COM Setup") << "then the port setup dialog";
}

class TavrinPTest : public ConfigWndTest {
protected:
    TavrinPTest() : ConfigWndTest(ProductCode::TavrinP, "Q0456", "V1.40") {}
};

TEST_F(TavrinPTest, ATavrinPLeavesNoContinuousDataModeInTheMenu) {
    rig.settle();
    EXPECT_EQ(readout(InstrumentWnd::Model), "Tavrin P");
    EXPECT_EQ(app.frame().commandAction(cmd::kContinuousDataMode), nullptr);
    EXPECT_NE(app.frame().commandAction(cmd::kCheckInstrument), nullptr);
}

class PanelTest : public test::GuiTest {};

// The radio button of the dialog with the text, or none.
QRadioButton* radio(QWidget& dialog, const QString& text) {
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

TEST_F(PanelTest, TheInstrumentPanelLaysOutFourReadoutsUnderAnEtchedLine) {
    QWidget owner;
    owner.resize(300, 200);
    InstrumentWnd panel(&owner);
    const char* captions[] = {"Model:", "S/N:", "Firmware Ver.:", "Cal. Date:"};
    for (int row = 0; row < InstrumentWnd::kRows; ++row)
        EXPECT_EQ(panel.readout(static_cast<InstrumentWnd::Row>(row)).caption(), captions[row]);
    panel.showInstrument("Vexa 3", "1634M", "2.10", "10OCT97");
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(image.pixelColor(20, 17), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(20, 18), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(20, 60), QColor(192, 192, 192));
    test::screenshot(panel, "InstrumentWnd");
}

TEST_F(PanelTest, AReadoutKeepsItsValueBoxWhateverTheCaption) {
    QWidget owner;
    TextWnd readout(&owner, QString(60, 'W'), QRect(0, 0, 140, 18), 50);
    EXPECT_EQ(readout.caption().size(), TextWnd::kMaxTextChars);
    readout.setValue("12.3456");
    const QImage image = readout.grab().toImage();
    EXPECT_EQ(image.pixelColor(50, 0), QColor(128, 128, 128)) << "the box's outline";
    EXPECT_EQ(image.pixelColor(139, 17), QColor(128, 128, 128));
}

TEST_F(PanelTest, ThePortDialogStoresEachClickAtOnce) {
    test::TempFolder folder;
    Profile settings(folder.path() / "Halcyx.ini");
    int port = 7;               // not a COM number: COM1 is checked
    std::uint32_t baud = 12345; // not a rate: 9600 is checked
    SetComportDlg dialog(port, baud, settings, "Configuration COM Setup");
    EXPECT_EQ(dialog.windowTitle(), "Configuration COM Setup");
    QRadioButton* com1 = radio(dialog, "COM1");
    QRadioButton* com3 = radio(dialog, "COM3");
    QRadioButton* rate9600 = radio(dialog, "9600");
    QRadioButton* rate300 = radio(dialog, "300");
    ASSERT_TRUE(com1 && com3 && rate9600 && rate300);
    EXPECT_TRUE(com1->isChecked());
    EXPECT_TRUE(rate9600->isChecked());
    EXPECT_EQ(port, 7) << "opening the dialog changes nothing";
    com3->click();
    rate300->click();
    EXPECT_EQ(port, 3);
    EXPECT_EQ(baud, 300u);
    test::screenshot(dialog, "SetComportDlg");
    dialog.reject();
    EXPECT_FALSE(std::filesystem::exists(settings.path())) << "cancel maps no device";
}

TEST_F(PanelTest, TheProductDialogOffersTheLastChoice) {
    ScriptedOperator op;
    ProductDlg none(ProductCode::None, op);
    EXPECT_EQ(none.chosen(), ProductCode::None);
    ProductDlg last(ProductCode::TavrinCT, op);
    EXPECT_EQ(last.chosen(), ProductCode::TavrinCT);
    QRadioButton* vexa2 = radio(last, "Vexa 2");
    ASSERT_NE(vexa2, nullptr);
    vexa2->click();
    EXPECT_EQ(last.chosen(), ProductCode::Vexa2);
    test::screenshot(last, "ProductDlg");
}

} // namespace
} // namespace halcyx
