// The data file viewer offscreen from the configuration menu: a file with a long line listed
// in full, the title, multiple selection that leaves the file alone, and a file of NUL bytes.
#include "core/base/Commands.h"
#include "gui/app/MainFrame.h"
#include "gui/viewer/DataLinesModel.h"
#include "gui/viewer/ViewDataDlg.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimProgram.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QListView>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

class ViewerTest : public test::GuiTest, protected test::SimProgram {
protected:
    ViewerTest() { rig.settle(); }
    // Views the file from the menu and acts on the viewer while it is open.
    void view(const std::filesystem::path& path, const std::function<void(ViewDataDlg&)>& act) {
        op.expectFile(false, path.string());
        test::whenModalOpens([act](QDialog& dialog) {
            auto& viewer = dynamic_cast<ViewDataDlg&>(dialog);
            act(viewer);
            viewer.reject();
        });
        app.frame().commandAction(cmd::kViewDataFile)->trigger();
    }
};

TEST_F(ViewerTest, ListsEveryLineAndLeavesTheFileAlone) {
    std::string text = "Cond, Temp, Pres\r\n" + std::string(650, '7') + "\r\n";
    for (int i = 0; i < 120; ++i)
        text += "  44.9117,  17.9327,  " + std::to_string(i) + ".000\r\n";
    const auto path = folder / "cast1.dat";
    test::writeFile(path, text);
    view(path, [&](ViewDataDlg& viewer) {
        EXPECT_EQ(viewer.windowTitle().toStdString(), "View Data Filename: " + path.string());
        const DataLinesModel& model = viewer.model();
        ASSERT_EQ(model.rowCount(), 1 + 3 + 120) << "the long line in three entries";
        const auto row = [&model](int r) { return model.data(model.index(r), Qt::DisplayRole); };
        EXPECT_EQ(row(3).toString(), QString(650 - 2 * 299, '7'));
        EXPECT_EQ(row(123).toString(), "  44.9117,  17.9327,  119.000");
        viewer.list().selectionModel()->select(model.index(5), QItemSelectionModel::Select);
        viewer.list().selectionModel()->select(model.index(7), QItemSelectionModel::Select);
        EXPECT_EQ(viewer.list().selectionModel()->selectedRows().size(), 2);
        viewer.show();
        EXPECT_GT(viewer.list().horizontalScrollBar()->maximum(), 0);
        test::screenshot(viewer, "ViewDataDlg");
    });
    EXPECT_EQ(test::readFile(path), text);
    EXPECT_EQ(op.progress.back(), "close");
}

TEST_F(ViewerTest, AFileOfNulBytesShowsBlankLines) {
    const auto path = folder / "zeros.dat";
    test::writeFile(path, std::string(1000, '\0'));
    view(path, [](ViewDataDlg& viewer) {
        const DataLinesModel& model = viewer.model();
        ASSERT_EQ(model.rowCount(), 4);
        EXPECT_EQ(model.data(model.index(3), Qt::DisplayRole).toString(), QString(103, ' '));
    });
}

} // namespace
} // namespace halcyx
