// The configuration dialogs driven through their widgets offscreen: the set-up rules of
// each model, "Save" with its checks and DC question, "Set Time" on a simulated
// instrument, and the DC channel setup's moves, OK, closing and loading.
#include "gui/instrument/ConfigTavrin.h"
#include "gui/instrument/ConfigVexa.h"
#include "gui/instrument/ConfigWnd.h"
#include "gui/instrument/DCSetupDlg.h"
#include "gui/instrument/GetTimeDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

using test::ScriptedOperator;
using test::whenModalOpens;

// Clicks a check box or radio button on its indicator: a box stretched wider than its text
// takes no click in its empty middle.
void toggle(QAbstractButton* button) {
    constexpr int kIndicatorX = 6;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(kIndicatorX, button->height() / 2));
}

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The configuration port with a simulated Vexa 3 behind it, and a Vexa record as read.
class ConfigDialogsTest : public test::GuiTest {
protected:
    ConfigDialogsTest() {
        vexa.channel = {1, 1, 1, 0, 1, 1};
        vexa.instrumentTime = "12:00:00";
        vexa.instrumentDate = "12-06-2026";
        vexa.samplingRate = {0, 0, 0, 1, 0};
        vexa.averageLength = "00:10";
    }

    std::unique_ptr<ConfigVexa> openVexa(bool vexa3 = true, bool averaging = true) {
        auto dialog = std::make_unique<ConfigVexa>(vexa, dcTable, port, op, vexa3, averaging);
        dialog->open();
        return dialog;
    }

    test::SimRig rig;
    ScriptedOperator& op = rig.op;
    CommPort& port = rig.port;
    VexaConfigData vexa;
    DCChannelTable dcTable;
};

TEST_F(ConfigDialogsTest, AShortOnTimeIsRefusedAndTheDialogStaysOpen) {
    auto dialog = openVexa();
    typeInto(dialog->onTime(), "00:00:05");
    op.expectMessage("ON Time must be greater than 10 seconds!", "Time Error", Icon::Stop);
    click(dialog->saveButton());

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->onTime()->selectedText(), "00:00:05") << "the faulty field is selected";
    EXPECT_EQ(vexa.onTime, "00:00:30") << "nothing moves before a Save that passes";

    typeInto(dialog->onTime(), "00:00:10");
    click(dialog->saveButton());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(vexa.onTime, "00:00:10");
}

TEST_F(ConfigDialogsTest, SaveMovesEveryEntryIntoTheRecordAndCancelNone) {
    const auto edit = [](ConfigVexa& dialog) {
        EXPECT_TRUE(dialog.samplingRate(3)->isChecked());
        EXPECT_TRUE(dialog.instrumentTime()->isReadOnly());
        toggle(dialog.primaryChannel(3));
        toggle(dialog.samplingRate(0));
        toggle(dialog.scaledOutput());
        typeInto(dialog.intervalTime(), "00:02:00");
        typeInto(dialog.average(), "00:20");
    };
    auto dialog = openVexa();
    edit(*dialog);
    dialog->reject();
    EXPECT_EQ(vexa.channel[3], 0);
    EXPECT_EQ(vexa.intervalTime, "00:01:00");

    dialog = openVexa();
    edit(*dialog);
    click(dialog->saveButton());
    EXPECT_EQ(vexa.channel[3], 1);
    EXPECT_EQ(vexa.samplingRate, (std::array<std::uint16_t, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(vexa.scaledOutput, 1);
    EXPECT_EQ(vexa.intervalTime, "00:02:00");
    EXPECT_EQ(vexa.averageLength, "00:20");
    EXPECT_EQ(vexa.instrumentTime, "12:00:00");
    test::screenshot(*dialog, "ConfigVexa");
}

TEST_F(ConfigDialogsTest, AVexa2WithoutAveragingOffersNeitherDc7And8NorTheAverage) {
    vexa.averageLength = "garbage";
    auto dialog = openVexa(false, false);
    for (int dc = 5; dc < 8; ++dc)
        EXPECT_EQ(dialog->dcChannel(dc)->isEnabled(), dc == 5) << "DC" << dc + 1;
    EXPECT_FALSE(dialog->average()->isEnabled());
    click(dialog->saveButton());
    EXPECT_EQ(dialog->result(), QDialog::Accepted)
        << "an average that cannot be edited is not checked";
}

TEST_F(ConfigDialogsTest, TheDcQuestionComesBackAfterNoAndStopsOnceTheSetupWasOpened) {
    vexa.intervalTime = "bad";
    auto dialog = openVexa();
    toggle(dialog->dcChannel(0));
    for (int press = 0; press < 2; ++press) {
        op.expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", false);
        op.expectMessage("Interval Time format error, (00:00:00)", "Time Error", Icon::Stop);
        click(dialog->saveButton());
    }
    EXPECT_FALSE(dialog->dcSetupOpened());

    // The DC setup opened from the button counts even when it is closed without OK.
    whenModalOpens([](QDialog& setup) {
        EXPECT_EQ(setup.windowTitle(), "DC Channel Setup");
        setup.reject();
    });
    click(dialog->dcSetupButton());
    EXPECT_TRUE(dialog->dcSetupOpened());
    typeInto(dialog->intervalTime(), "00:01:00");
    click(dialog->saveButton());
    EXPECT_EQ(vexa.dcChannel[0], 1);
}

TEST_F(ConfigDialogsTest, TheTavrinDialogsForceTheChannelsTheirModelAlwaysMeasures) {
    CTConfigData ct;
    ct.channel = {0, 0, 1};
    ct.averageTime = "00:10";
    ConfigCT ctDialog(ct, port, op, true);
    PConfigData p;
    p.intervalTime = "00:01:00";
    p.onTime = "00:00:30";
    p.delayedDate = "01-01-1999";
    p.delayedTime = "08:00:00";
    p.averageTime = "OFF";
    ConfigP pDialog(p, port, op, false);

    const struct {
        ConfigTavrin* dialog;
        std::array<bool, 3> forced;
        const char* screenshot;
    } cases[] = {{&ctDialog, {true, true, false}, "ConfigCT"},
                 {&pDialog, {true, false, false}, "ConfigP"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dialog->windowTitle().toStdString());
        c.dialog->open();
        for (int ch = 0; ch < 3; ++ch) {
            EXPECT_EQ(c.dialog->channel(ch)->isEnabled(), !c.forced[ch]);
            EXPECT_TRUE(!c.forced[ch] || c.dialog->channel(ch)->isChecked());
        }
        test::screenshot(*c.dialog, c.screenshot);
        click(c.dialog->saveButton());
        EXPECT_EQ(c.dialog->result(), QDialog::Accepted);
    }
    EXPECT_EQ(ct.channel, (std::array<std::uint16_t, 3>{1, 1, 1}));
    EXPECT_EQ(p.channel, (std::array<std::uint16_t, 3>{1, 0, 0}));
    EXPECT_EQ(p.averageTime, "OFF");
    EXPECT_FALSE(pDialog.average()->isEnabled());
}

TEST_F(ConfigDialogsTest, SetTimeSendsTheEnteredClockAndShowsIt) {
    auto dialog = openVexa();
    whenModalOpens([](QDialog& entry) {
        auto& time = dynamic_cast<GetTimeDlg&>(entry);
        EXPECT_EQ(time.windowTitle(), "Enter Local Time and Date");
        EXPECT_EQ(time.timeEdit()->text().size(), 8) << "offers the computer's clock";
        typeInto(time.timeEdit(), "23:30:00");
        typeInto(time.dateEdit(), "01-15-2027");
        time.accept();
    });
    click(dialog->setTimeButton());

    EXPECT_EQ(dialog->instrumentTime()->text(), "23:30:00");
    EXPECT_EQ(dialog->instrumentDate()->text(), "01-15-2027");
    rig.settle();
    const std::int64_t clockNow =
        rig.instrument().clockSeconds(rig.clock.nowMs() * sim::kNanosPerMs);
    EXPECT_EQ(sim::dateText(clockNow), "01-15-2027");
    EXPECT_EQ(sim::clockText(clockNow).substr(0, 5), "23:30");
    EXPECT_EQ(vexa.instrumentTime, "12:00:00") << "the record follows only on Save";
}

TEST_F(ConfigDialogsTest, DCSetupMovingEnablesTheButtonsByChannelAndKeepsTheEdits) {
    DCSetupDlg dialog(dcTable, op);
    dialog.open();
    EXPECT_EQ(dialog.nameEdit()->text(), "DC1");
    EXPECT_EQ(dialog.termEdit(1)->text(), "1.00");

    typeInto(dialog.nameEdit(), "Oxygen");
    // After each press of Next: channel shown, Previous enabled, Next enabled.
    const struct {
        int channel;
        bool previous;
        bool next;
    } forward[] = {{1, false, true}, {2, true, true}, {7, true, true}, {8, true, false}};
    for (const auto& step : forward) {
        while (dialog.channel() + 1 < step.channel)
            click(dialog.nextButton());
        EXPECT_EQ(dialog.channelNumber()->text(), QString::number(step.channel));
        EXPECT_EQ(dialog.previousButton()->isEnabled(), step.previous);
        EXPECT_EQ(dialog.nextButton()->isEnabled(), step.next);
    }
    EXPECT_EQ(dcTable.texts(0).name, "Oxygen");

    for (int i = 0; i < 7; ++i)
        click(dialog.previousButton());
    EXPECT_EQ(dialog.nameEdit()->text(), "Oxygen");
    EXPECT_FALSE(dialog.previousButton()->isEnabled());
    EXPECT_TRUE(dialog.nextButton()->isEnabled());
    test::screenshot(dialog, "DCSetupDlg");
}

TEST_F(ConfigDialogsTest, DCSetupOkKeepsTheChannelShownAndClosingOtherwiseDropsIt) {
    {
        DCSetupDlg dialog(dcTable, op);
        dialog.open();
        typeInto(dialog.termEdit(0), "2.5");
        click(dialog.nextButton());
        typeInto(dialog.termEdit(0), "3.5");
        dialog.reject();
    }
    EXPECT_EQ(dcTable.texts(0).terms[0], "2.5");
    EXPECT_EQ(dcTable.texts(1).terms[0], "0.00");
    EXPECT_EQ(dcTable.numeric(0).coefficients.a, 0.0f) << "the numbers follow later";

    DCSetupDlg dialog(dcTable, op);
    dialog.open();
    typeInto(dialog.termEdit(4), "1e-6");
    dialog.accept();
    EXPECT_EQ(dcTable.texts(0).terms[4], "1e-6");
}

TEST_F(ConfigDialogsTest, DCSetupLoadFromFileReplacesEveryChannelAndShowsTheCurrentOne) {
    test::TempFolder folder;
    const auto file = folder.path() / "OXY.CFG";
    std::ofstream(file) << "[DC_CHANNELS]\r\nDC2.Name=Oxygen\r\nDC2.term1=abc\r\n";
    DCSetupDlg dialog(dcTable, op);
    dialog.open();
    click(dialog.nextButton());
    op.expectFile(false, file.string());
    click(dialog.loadButton());

    EXPECT_EQ(dialog.nameEdit()->text(), "Oxygen");
    EXPECT_EQ(dialog.termEdit(1)->text(), "abc");
    EXPECT_EQ(dcTable.texts(0).name, "");
}

} // namespace
} // namespace halcyx
