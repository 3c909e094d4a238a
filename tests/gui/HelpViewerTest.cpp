// The shipped help: a section for every help context, and the address each opens.
#include "gui/app/HelpViewer.h"

#include "core/app/HelpLocation.h"
#include "tests/gui/GuiTestSupport.h"

#include <QFile>
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

} // namespace
} // namespace halcyx
