// The communications terminal offscreen on a simulated line: what received bytes show as,
// line noise, typing and the standard commands reaching the instrument, saving the text, and
// Port Setup inside it with the configuration window's port coming back afterwards.
#include "core/base/Commands.h"
#include "core/settings/Profile.h"
#include "gui/app/MainFrame.h"
#include "gui/instrument/ConfigWnd.h"
#include "gui/terminal/CommWnd.h"
#include "gui/terminal/JEdit.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimProgram.h"
#include "tests/support/ScriptedPeer.h"
#include "tests/support/SimRig.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

// The terminal on COM1 with a stand-in at the far end that answers "Q" with the test's bytes.
class TerminalTest : public test::GuiTest {
protected:
    TerminalTest() {
        peer.respond([this](const std::string&) { return answer; });
    }

    // Types Q and Enter; returns what the stand-in sent back, as the terminal shows it.
    QString exchange(std::string reply) {
        answer = std::move(reply);
        QTest::keyClicks(&terminal.textArea(), "Q");
        QTest::keyClick(&terminal.textArea(), Qt::Key_Return);
        terminal.textArea().clear();
        // The answer crosses the line: a millisecond a byte, and then some.
        rig.sleep(static_cast<std::uint32_t>(answer.size() + 100));
        terminal.tick();
        return terminal.textArea().toPlainText();
    }

    test::SimRig rig{std::make_unique<test::ScriptedPeer>(test::SimRig::kBaud)};
    test::ScriptedPeer& peer = rig.peerAs<test::ScriptedPeer>();
    test::TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    CommWnd terminal{rig.port, rig.op, settings};
    std::string answer;
};

TEST_F(TerminalTest, ReceivedBytesShowByTheLineRules) {
    peer.setEcho(false);
    const std::string x199(198, 'x');
    struct Case {
        const char* what;
        std::string received;
        QString shown;
        int beeps;
    };
    const Case cases[] = {
        {"CR LF is one line break", "abc\r\ndef", "abc\ndef", 0},
        {"a lone CR breaks, a lone LF is dropped", "a\rb\nc", "a\nbc", 0},
        {"BEL beeps and shows a blank", "a\ab", "a b", 1},
        {"a NUL shows a blank and the line goes on", std::string("a\0b", 3), "a b", 0},
        {"198 characters and CR: one line", x199 + "\r", QString::fromStdString(x199) + "\n", 0},
        {"the 199th character breaks the line with a beep", x199 + "yz",
         QString::fromStdString(x199) + "y\nz", 1},
    };
    for (const Case& c : cases) {
        const int beepsBefore = rig.op.beeps;
        EXPECT_EQ(exchange(c.received), c.shown) << c.what;
        EXPECT_EQ(rig.op.beeps - beepsBefore, c.beeps) << c.what;
    }
    EXPECT_EQ(peer.lines(), std::vector<std::string>(std::size(cases), "Q"));
}

TEST_F(TerminalTest, LineNoiseShowsWithoutHarm) {
    peer.setEcho(false);
    std::string noise;
    for (int round = 0; round < 30; ++round)
        for (int byte = 0; byte < 256; ++byte)
            noise += static_cast<char>(byte);
    const QString shown = exchange(noise);
    EXPECT_FALSE(shown.contains(QChar(0)));
    EXPECT_FALSE(shown.contains(QChar('\r')));
    EXPECT_TRUE(shown.contains(QStringLiteral("0123456789:;<=>?@ABC")));
    EXPECT_GE(rig.op.beeps, 30) << "a BEL in every round";
}

TEST_F(TerminalTest, TypingAndStandardCommandsReachTheInstrument) {
    // Only codes 1 to 126 are sent; Enter sends a carriage return and starts a new line.
    JEdit& text = terminal.textArea();
    QTest::keyClick(&text, 'V');
    QTest::sendKeyEvent(QTest::Press, &text, Qt::Key_Eacute, QStringLiteral("\u00e9"),
                        Qt::NoModifier);
    QTest::keyClick(&text, 'R');
    QTest::keyClick(&terminal.textArea(), Qt::Key_Return);
    EXPECT_EQ(terminal.textArea().toPlainText(), QStringLiteral("V\u00e9R\n"));

    QComboBox& list = terminal.commandList();
    EXPECT_EQ(list.count(), 37);
    EXPECT_EQ(list.currentText(), "<CR>");
    const std::int64_t before = rig.clock.nowMs();
    terminal.sendStandardCommand(0);
    terminal.sendStandardCommand(1);
    EXPECT_EQ(rig.clock.nowMs() - before, 6 * 50) << "50 ms after each character";
    EXPECT_EQ(terminal.textArea().toPlainText(), QStringLiteral("V\u00e9R\n\n***O\n"));
    rig.device.advance();
    EXPECT_EQ(peer.lines(), (std::vector<std::string>{"VR", "", "***O"}));
    EXPECT_EQ(list.itemText(36), "DC8=OFF");
}

TEST_F(TerminalTest, SavesTheTextWithCrLfLineEnds) {
    terminal.textArea().insertAtCaret(QStringLiteral("S/N = 1634M\nVER = 2.10"));
    const auto path = folder / "session.txt";
    rig.op.expectFile(true, path.string());
    terminal.saveText();
    EXPECT_EQ(test::readFile(path), "S/N = 1634M\r\nVER = 2.10");
    EXPECT_EQ(rig.op.fileRequests.at(0).filter, "Text files (*.TXT)|*.TXT|AllFiles (*.*)|*.*|");
}

// The radio button of the dialog with the text, or none.
QRadioButton* radio(QWidget& dialog, const QString& text) {
    for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// Port Setup chooses these buttons and presses OK.
void whenSetupOpensChoose(std::vector<QString> buttons) {
    test::whenModalOpens([buttons](QDialog& setup) {
        EXPECT_EQ(setup.windowTitle(), "Communication Window Setup");
        for (const QString& text : buttons)
            radio(setup, text)->click();
        setup.accept();
    });
}

class TerminalFromConfigTest : public test::GuiTest, protected test::SimProgram {
protected:
    TerminalFromConfigTest() { rig.settle(); }
    // Opens the terminal from the menu and acts on it while it is open.
    void openTerminal(std::function<void(CommWnd&)> act) {
        test::whenModalOpens([act](QDialog& dialog) {
            auto& terminal = dynamic_cast<CommWnd&>(dialog);
            EXPECT_TRUE(terminal.timer().isActive());
            act(terminal);
            terminal.accept();
        });
        app.frame().commandAction(cmd::kCommunicationsWindow)->trigger();
    }
};

TEST_F(TerminalFromConfigTest, ARateChosenInTheTerminalDoesNotOutliveIt) {
    openTerminal([this](CommWnd& terminal) {
        EXPECT_EQ(terminal.baudText(), "9600");
        QTest::keyClicks(&terminal.textArea(), "S/N");
        QTest::keyClick(&terminal.textArea(), Qt::Key_Return);
        rig.sleep(500);
        terminal.tick();
        EXPECT_TRUE(terminal.textArea().toPlainText().contains("1634M"))
            << terminal.textArea().toPlainText().toStdString();
        test::screenshot(terminal, "CommWnd");

        whenSetupOpensChoose({"2400"});
        terminal.portSetup();
        EXPECT_EQ(terminal.baudText(), "2400");
        EXPECT_EQ(rig.device.portBaud(), 2400u);
        EXPECT_TRUE(terminal.timer().isActive());
    });
    EXPECT_EQ(rig.device.portBaud(), 9600u);
    EXPECT_EQ(settings.readInt("COMMPORT", "Baudrate", 0), 0) << "nothing written";
}

TEST_F(TerminalFromConfigTest, APortThatWillNotOpenLeavesTheTerminalQuietUntilClosed) {
    rig.device.missingPaths = {"/dev/ttyS1"};
    openTerminal([this](CommWnd& terminal) {
        op.expectMessage("OpenComm Error(COM2) = 19", "COMMUNICATION PORT ERROR", Icon::Stop)
            .expectMessage(std::strerror(ENODEV), "GetLastError", Icon::Information)
            .expectMessage("Error Opening comport", "COMMUNICATION PORT ERROR", Icon::Stop);
        whenSetupOpensChoose({"COM2"});
        terminal.portSetup();
        EXPECT_FALSE(terminal.timer().isActive());
    });
    // The configuration window has its port back and still knows the instrument.
    EXPECT_EQ(rig.device.path(), "/dev/ttyS0");
    EXPECT_TRUE(rig.device.isOpen());
    EXPECT_EQ(app.configWnd().productCode(), ProductCode::Vexa3);
}

} // namespace
} // namespace halcyx
