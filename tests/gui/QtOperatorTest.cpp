// The Qt operator: message boxes and questions with their exact texts and icons, the input
// box's length limit, the file dialog's filters and default extension, the progress box
// and the wait cursor.
#include "gui/app/QtOperator.h"

#include "gui/app/HelpViewer.h"
#include "gui/app/MessageDlg.h"
#include "tests/gui/GuiTestSupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

// Acts on the next modal dialog, of the kind the test expects.
template <typename Dialog> void whenModal(std::function<void(Dialog&)> handler) {
    test::whenModalOpens([handler](QDialog& dialog) { handler(dynamic_cast<Dialog&>(dialog)); });
}

class QtOperatorTest : public test::GuiTest {
protected:
    HelpViewer help{{}, [](const QUrl&) { return true; }};
    QtOperator op{help};
};

TEST_F(QtOperatorTest, MessagesShowTheirTextCaptionAndIconAsPlainText) {
    const std::pair<Icon, QMessageBox::Icon> cases[] = {
        {Icon::Stop, QMessageBox::Critical},
        {Icon::Exclamation, QMessageBox::Warning},
        {Icon::Information, QMessageBox::Information},
        {Icon::None, QMessageBox::NoIcon}};
    for (const auto& [icon, shown] : cases) {
        whenModal<QMessageBox>([shown](QMessageBox& box) {
            EXPECT_EQ(box.text(), "Error opening COM3\n<b>not bold</b>");
            EXPECT_EQ(box.windowTitle(), "OPEN COMM ERROR");
            EXPECT_EQ(box.icon(), shown);
            EXPECT_EQ(box.textFormat(), Qt::PlainText) << "texts are never read as markup";
            box.button(QMessageBox::Ok)->click();
        });
        op.message("Error opening COM3\n<b>not bold</b>", "OPEN COMM ERROR", icon);
    }
    for (QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::No}) {
        whenModal<QMessageBox>([answer](QMessageBox& box) { box.button(answer)->click(); });
        EXPECT_EQ(op.askYesNo("Stop deployment?", "Deploy", Icon::Question),
                  answer == QMessageBox::Yes);
    }
}

TEST_F(QtOperatorTest, InputBoxKeepsAtMostTheAllowedLengthAndCancelGivesNothing) {
    whenModal<QDialog>([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>()->setText("123456789");
        dialog.accept();
    });
    EXPECT_EQ(op.input("Title", "Number:", "1", 4), std::optional<std::string>("1234"));
    whenModal<QDialog>([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(op.input("Title", "Number:", "1", 4), std::nullopt);
}

TEST_F(QtOperatorTest, FileDialogTranslatesFiltersAndAddsTheDefaultExtension) {
    test::TempFolder folder;
    QStringList filters;
    whenModal<QFileDialog>([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        dialog.setDirectory(QString::fromStdString(folder.path().string()));
        dialog.selectFile("cast7");
        static_cast<QDialog&>(dialog).accept(); // as the Save button does
    });
    FileRequest request;
    request.save = true;
    request.filter = "ASCII File (*.DAT)|*.dat|All Files (*.*)|*.*|";
    request.defaultExtension = "DAT";
    EXPECT_EQ(op.chooseFile(request), (folder.path() / "cast7.DAT").string());
    EXPECT_EQ(filters, (QStringList{"ASCII File (*.DAT) (*.dat)", "All Files (*.*) (*)"}));
}

TEST_F(QtOperatorTest, ProgressBoxShowsTwoLinesUntilClosedAndTheWaitCursorNests) {
    op.progressShow();
    op.progressLine1("Reading Channels...");
    op.progressLine2("CH");
    QPointer<MessageDlg> box;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<MessageDlg*>(widget))
            box = dialog;
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->titleLine(), "Reading Channels...");
    EXPECT_EQ(box->detailLine(), "CH");
    test::screenshot(*box, "MessageDlg");
    op.progressClose();
    EXPECT_TRUE(box.isNull());
    op.progressLine1("after close"); // quietly ignored

    op.setWaitCursor(true);
    op.setWaitCursor(true);
    op.setWaitCursor(false);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    op.setWaitCursor(false);
    op.setWaitCursor(false); // one off too many is ignored
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace halcyx
