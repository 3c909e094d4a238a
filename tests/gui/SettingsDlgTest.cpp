// The program settings dialog (check box written at each click, the help location's OK
// rule, its Help button) and the About dialog.
#include "gui/app/SettingsDlg.h"

#include "core/settings/Catalogue.h"
#include "gui/app/AboutDlg.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/Version.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

class SettingsDlgTest : public test::GuiTest {
protected:
    // Opens a fresh dialog, as "&Properties" does.
    std::unique_ptr<SettingsDlg> openDialog() {
        help.setPath("/opt/halcyx/help");
        auto dialog = std::make_unique<SettingsDlg>(settings, help, op);
        dialog->open();
        return dialog;
    }
    static void press(SettingsDlg& dialog, QDialogButtonBox::StandardButton button) {
        dialog.findChild<QDialogButtonBox*>()->button(button)->click();
    }

    test::TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    test::ScriptedOperator op;
    HelpViewer help{{}, [](const QUrl&) { return true; }};
};

TEST_F(SettingsDlgTest, EachClickWritesCheckIntWhateverButtonClosesAndHelpOpensItsSection) {
    auto dialog = openDialog();
    EXPECT_FALSE(dialog->checkAtStart()->isChecked()) << "no settings file: no check at start";
    QTest::mouseClick(dialog->checkAtStart(), Qt::LeftButton);
    EXPECT_EQ(kCheckInt.read(settings), 1);
    test::screenshot(*dialog, "SettingsDlg");
    dialog->helpButton()->click();
    EXPECT_EQ(op.helpContexts, std::vector<int>{600});
    dialog->reject();
    EXPECT_EQ(kCheckInt.read(settings), 1) << "Cancel keeps what the click wrote";

    dialog = openDialog();
    EXPECT_TRUE(dialog->checkAtStart()->isChecked());
    QTest::mouseClick(dialog->checkAtStart(), Qt::LeftButton);
    EXPECT_EQ(settings.readString("SETTINGS", "CheckInt", "", 8), "0");
}

TEST_F(SettingsDlgTest, OkStoresTheHelpLocationCancelDoesNotAndAnEmptyOneIsRefused) {
    auto dialog = openDialog();
    EXPECT_EQ(dialog->helpLocation()->text(), "/opt/halcyx/help");
    dialog->helpLocation()->setText("/elsewhere");
    press(*dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(help.path(), "/opt/halcyx/help");

    dialog = openDialog();
    dialog->helpLocation()->clear();
    op.expectMessage("Enter the install directory of Halcyx (normally C:\\Halcyx",
                     "Help File Location Error", Icon::Stop);
    press(*dialog, QDialogButtonBox::Ok);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(help.path(), "") << "emptied in memory all the same";
    EXPECT_EQ(kHelpFile.read(settings), "C:\\Halcyx") << "nothing written";

    dialog = openDialog();
    dialog->helpLocation()->setText("/usr/share/doc/halcyx");
    press(*dialog, QDialogButtonBox::Ok);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(help.path(), "/usr/share/doc/halcyx");
    EXPECT_EQ(kHelpFile.read(settings), "/usr/share/doc/halcyx");
}

TEST(AboutDlg, NamesTheProgramAndItsVersion) {
    test::guiApp();
    AboutDlg about;
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_TRUE(texts.contains("Veltro Acquisition Configuration"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Version %1").arg(kVersion)));
    test::screenshot(about, "AboutDlg");
}

} // namespace
} // namespace halcyx
