// The shipped help: a section for every help context, and the address each opens.
#include "app/HelpViewer.h"

#include "GuiTestSupport.h"
#include "app/HelpLocation.h"

#include <QFile>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

constexpr int kContexts[] = {
    help::kConfigureInstrument, help::kRetrieveData,    help::kDcChannelSetup, help::kGraphSetup,
    help::kProgramSettings,     help::kCastInformation, help::kStripGraphSetup};

TEST(HelpViewer, EveryContextOpensItsSectionOfTheShippedHelp) {
    test::guiApp();
    std::vector<QUrl> opened;
    HelpViewer viewer(HelpViewer::shippedHelpPages(), [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    ASSERT_EQ(viewer.path(), "C:\\Halcyx");

    ASSERT_TRUE(viewer.open(help::kIndex));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_FALSE(opened[0].hasFragment());

    QFile page(opened[0].toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << opened[0].toString().toStdString();
    const QString html = QString::fromUtf8(page.readAll());
    for (int context : kContexts) {
        ASSERT_TRUE(viewer.open(context));
        const QUrl& url = opened.back();
        EXPECT_EQ(url.toLocalFile(), opened[0].toLocalFile());
        EXPECT_EQ(url.fragment(), QStringLiteral("context-%1").arg(context));
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"context-%1\"").arg(context)))
            << "the help has no section for context " << context;
    }
}

TEST(HelpViewer, NoHelpAnywhereOpensNothing) {
    test::guiApp();
    bool asked = false;
    HelpViewer viewer({"/nonexistent/halcyx/help/index.html"}, [&](const QUrl&) {
        asked = true;
        return true;
    });
    EXPECT_FALSE(viewer.open(help::kProgramSettings));
    EXPECT_FALSE(asked);
}

} // namespace
} // namespace halcyx
