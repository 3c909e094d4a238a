// The Qt operator: message boxes and questions with their exact texts and icons, the input
// box's length limit, the file dialog's filters and default extension, the progress box
// and the wait cursor.
#include "app/QtOperator.h"

#include "GuiTestSupport.h"
#include "app/HelpViewer.h"
#include "app/MessageDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

// Runs the handler on the next modal dialog as soon as it is up.
template <typename Dialog> void whenModal(std::function<void(Dialog&)> handler) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, handler] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            handler(*dialog);
        }
    });
    poll->start(5);
}

class QtOperatorTest : public test::GuiTest {
protected:
    HelpViewer help{{}, [](const QUrl&) { return true; }};
    QtOperator op{help};
};

TEST_F(QtOperatorTest, MessagesShowTheirTextCaptionAndIcon) {
    struct Case {
        Icon icon;
        QMessageBox::Icon shown;
    };
    const Case cases[] = {{Icon::Stop, QMessageBox::Critical},
                          {Icon::Exclamation, QMessageBox::Warning},
                          {Icon::Information, QMessageBox::Information},
                          {Icon::None, QMessageBox::NoIcon}};
    for (const Case& c : cases) {
        QString text, caption;
        QMessageBox::Icon icon = QMessageBox::Question;
        Qt::TextFormat format = Qt::RichText;
        whenModal<QMessageBox>([&](QMessageBox& box) {
            text = box.text();
            caption = box.windowTitle();
            icon = box.icon();
            format = box.textFormat();
            box.button(QMessageBox::Ok)->click();
        });
        op.message("Error opening COM3\n<b>not bold</b>", "OPEN COMM ERROR", c.icon);
        EXPECT_EQ(text, "Error opening COM3\n<b>not bold</b>");
        EXPECT_EQ(caption, "OPEN COMM ERROR");
        EXPECT_EQ(icon, c.shown);
        EXPECT_EQ(format, Qt::PlainText) << "texts are never read as markup";
    }
}

TEST_F(QtOperatorTest, QuestionsAnswerYesOrNo) {
    for (QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::No}) {
        whenModal<QMessageBox>([answer](QMessageBox& box) { box.button(answer)->click(); });
        EXPECT_EQ(op.askYesNo("Stop deployment?", "Deploy", Icon::Question),
                  answer == QMessageBox::Yes);
    }
}

TEST_F(QtOperatorTest, InputBoxKeepsAtMostTheAllowedLengthAndCancelGivesNothing) {
    whenModal<QDialog>([](QDialog& dialog) {
        auto* field = dialog.findChild<QLineEdit*>();
        field->setText("123456789");
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
    const auto chosen = op.chooseFile(request);
    EXPECT_EQ(filters, (QStringList{"ASCII File (*.DAT) (*.dat)", "All Files (*.*) (*)"}));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (folder.path() / "cast7.DAT").string());
}

TEST_F(QtOperatorTest, ProgressBoxShowsTwoLinesUntilClosed) {
    op.progressShow();
    op.progressLine1("Reading Channels...");
    op.progressLine2("CH");
    auto* box = qApp->findChild<MessageDlg*>();
    if (!box)
        for (QWidget* widget : QApplication::topLevelWidgets())
            if ((box = qobject_cast<MessageDlg*>(widget)))
                break;
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->titleLine(), "Reading Channels...");
    EXPECT_EQ(box->detailLine(), "CH");
    test::screenshot(*box, "MessageDlg");
    const QPointer<MessageDlg> alive = box;
    op.progressClose();
    EXPECT_TRUE(alive.isNull());
    op.progressLine1("after close"); // quietly ignored
}

TEST_F(QtOperatorTest, WaitCursorNestsAndUnmatchedOffsAreIgnored) {
    op.setWaitCursor(true);
    op.setWaitCursor(true);
    op.setWaitCursor(false);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    op.setWaitCursor(false);
    op.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace halcyx
