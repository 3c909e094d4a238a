// Deploy and Retrieve Data from the configuration window's menu with a simulated instrument:
// the "Deploy" dialog and the terminal request, the "Retrieve Memory" dialog and, for a
// Tavrin P, the "Deployment Information" dialog.
#include "core/base/Commands.h"
#include "core/settings/Profile.h"
#include "gui/acquisition/HeaderDlg.h"
#include "gui/app/MainFrame.h"
#include "gui/app/SequenceGuard.h"
#include "gui/app/VeltroApp.h"
#include "gui/instrument/ConfigWnd.h"
#include "gui/instrument/DeployDlg.h"
#include "gui/instrument/DeployInfoDlg.h"
#include "gui/instrument/DownloadDlg.h"
#include "gui/terminal/CommWnd.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/SimRig.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace halcyx {
namespace {

class MemoryDialogsTest : public test::GuiTest {
protected:
    explicit MemoryDialogsTest(ProductCode model = ProductCode::Vexa3) : rig(model) {
        settings.writeString("SETTINGS", "CheckInt", "1");
        rig.pumpEvents = [] { QApplication::processEvents(); };
        rig.settle();
    }
    void run(int command) { app.frame().runCommand(command); }

    test::TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    test::SimRig rig;
    test::ScriptedOperator& op = rig.op;
    VeltroApp app{{settings, &op, &rig.clock, [this] { return rig.connect(); },
                   [](const QUrl&) { return true; }}};
};

TEST_F(MemoryDialogsTest, DeployContinuousThenRetrieveWhatWasLogged) {
    app.show();
    op.expectQuestion("Do you want to log data to memory?", "Memory", true)
        .expectQuestion("This will erase all data in memory!\n\nAre you sure?", "Erase Data Memory",
                        true)
        .expectMessage("The Instrument is now in Run Mode!\nPress the ENTER key to request a "
                       "line of data.",
                       "Deploy", Icon::None);
    test::whenModalOpens([](QDialog& dialog) {
        auto& deploy = dynamic_cast<DeployDlg&>(dialog);
        EXPECT_TRUE(deploy.button(DeployMode::Continuous)->isChecked()) << "the first choice";
        test::screenshot(deploy, "DeployDlg");
        deploy.accept();
    });
    run(cmd::kDeploy);
    // The terminal opens once the command has returned, outside any running sequence, so
    // that its timer ticks.
    bool terminalOpened = false;
    test::whenModalOpens([](QDialog& dialog) { return qobject_cast<CommWnd*>(&dialog) != nullptr; },
                         [&terminalOpened](QDialog& terminal) {
                             terminalOpened = true;
                             EXPECT_FALSE(SequenceGuard::busy());
                             terminal.accept();
                         });
    EXPECT_TRUE(QTest::qWaitFor([&terminalOpened] { return terminalOpened; }, 5000));

    rig.clock.sleepMs(10'000);
    rig.settle();
    const std::string dataFile = (folder / "logged").string();
    op.expectQuestion("The Instrument is currently deployed!\nStop deployment?", "Deploy", true)
        .expectMessage("Binary Memory Dump Complete", "Download", Icon::None);
    test::whenModalOpens([&](QDialog& dialog) {
        auto& download = dynamic_cast<DownloadDlg&>(dialog);
        EXPECT_FALSE(download.dcChannelsButton()->isEnabled()) << "no DC channel on";
        EXPECT_EQ(download.scansLabel()->text().toLong(),
                  long(rig.instrument().memory().loggedBytes() / rig.instrument().bytesPerScan()));
        download.fileNameEdit()->setText(QString::fromStdString(dataFile));
        test::screenshot(download, "DownloadDlg");
        download.downloadButton()->click();
    });
    test::whenModalOpens(
        [](QDialog& dialog) { return qobject_cast<HeaderDlg*>(&dialog) != nullptr; },
        [](QDialog& dialog) {
            auto& header = dynamic_cast<HeaderDlg&>(dialog);
            header.editFor("Vessel:")->setText("Halcyon");
            header.accept();
        });
    run(cmd::kRetrieveData);
    EXPECT_TRUE(std::filesystem::exists(folder / "logged.Dat"));
    EXPECT_NE(test::readFile(folder / "logged.Hdr").find("Halcyon"), std::string::npos)
        << "the cast information as the operator edited it";
}

class TavrinPTest : public MemoryDialogsTest {
protected:
    TavrinPTest() : MemoryDialogsTest(ProductCode::TavrinP) {}
};

TEST_F(TavrinPTest, TheDeploymentInformationHeadsTheDataFile) {
    app.show();
    rig.instrument().preloadMemory(6);
    op.expectMessage("Binary Memory Dump Complete", "Download", Icon::None);
    test::whenModalOpens([&](QDialog& dialog) {
        auto& download = dynamic_cast<DownloadDlg&>(dialog);
        EXPECT_EQ(download.scansLabel()->text(), "5") << "a Tavrin's last scan is not counted";
        download.fileNameEdit()->setText(QString::fromStdString((folder / "p.dat").string()));
        test::whenModalOpens([](QDialog& inner) {
            auto& info = dynamic_cast<DeployInfoDlg&>(inner);
            EXPECT_TRUE(info.edit(DeployInfoDlg::Serial)->isReadOnly());
            info.edit(DeployInfoDlg::Number)->setText("17");
            info.edit(DeployInfoDlg::Mooring)->setText("Outer harbour");
            test::screenshot(info, "DeployInfoDlg");
            info.accept();
        });
        download.downloadButton()->click();
    });
    run(cmd::kRetrieveData);
    EXPECT_TRUE(test::readFile(folder / "p.Dat")
                    .starts_with("Deploy Number: 17\r\n"
                                 "      Mooring: Outer harbour\r\n"));
}

} // namespace
} // namespace halcyx
