// The shipped help: a section for every help context, the address each opens, and the
// program's own help window that shows it without a desktop browser.
#include "gui/app/HelpViewer.h"

#include "core/app/HelpLocation.h"
#include "gui/app/HelpWnd.h"
#include "tests/gui/GuiTestSupport.h"

#include <QFile>
#include <QScrollBar>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(HelpViewer, EveryContextOpensItsSectionOfTheShippedHelp) {
    test::guiApp();
    std::vector<QUrl> opened;
    const auto record = [&](const QUrl& url) { return opened.push_back(url), true; };
    HelpViewer viewer(HelpViewer::shippedHelpPages(), record);
    ASSERT_EQ(viewer.path(), "C:\\Halcyx");
    ASSERT_TRUE(viewer.open(help::kIndex));
    ASSERT_EQ(opened.size(), 1u);
    const QUrl index = opened[0];
    EXPECT_FALSE(index.hasFragment());
    QFile page(index.toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << index.toString().toStdString();
    const QString html = QString::fromUtf8(page.readAll());

    for (int context :
         {help::kConfigureInstrument, help::kRetrieveData, help::kDcChannelSetup, help::kGraphSetup,
          help::kProgramSettings, help::kCastInformation, help::kStripGraphSetup}) {
        ASSERT_TRUE(viewer.open(context));
        EXPECT_EQ(opened.back().toLocalFile(), index.toLocalFile());
        EXPECT_EQ(opened.back().fragment(), QStringLiteral("context-%1").arg(context));
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"context-%1\"").arg(context)))
            << "the help has no section for context " << context;
    }

    opened.clear();
    HelpViewer nowhere({"/nonexistent/halcyx/help/index.html"}, record);
    EXPECT_FALSE(nowhere.open(help::kProgramSettings)) << "no help anywhere opens nothing";
    EXPECT_TRUE(opened.empty());
}

TEST(HelpViewer, ShowsTheHelpInItsOwnWindowAtTheContextsSection) {
    test::guiApp();
    HelpViewer viewer;
    ASSERT_TRUE(viewer.open(help::kCastInformation));
    HelpWnd* window = viewer.window();
    ASSERT_NE(window, nullptr) << "help needs a window of the program's own";
    EXPECT_TRUE(window->isVisible());
    QTextBrowser& browser = window->browser();
    EXPECT_EQ(browser.source().fileName(), "index.html");
    EXPECT_TRUE(browser.toPlainText().contains("Cast information"));
    const int atSection = browser.verticalScrollBar()->value();
    EXPECT_GT(atSection, 0) << "scrolled to the section";
    test::screenshot(*window, "HelpWnd");

    ASSERT_TRUE(viewer.open(help::kIndex));
    EXPECT_EQ(viewer.window(), window) << "one help window";
    EXPECT_EQ(browser.verticalScrollBar()->value(), 0) << "the index opens at the top";
}

} // namespace
} // namespace halcyx
