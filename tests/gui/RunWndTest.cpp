// The run windows of "Continuous Data Mode" offscreen in the whole program with a simulated
// instrument: the fields filled from the live output, the raw log file, and closing with the
// instrument left running or stopped.
#include "core/base/Commands.h"
#include "gui/app/MainFrame.h"
#include "gui/instrument/CTRunWnd.h"
#include "gui/instrument/VexaRunWnd.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimProgram.h"

#include <QAction>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

// The program with the instrument found at start-up, opening its run window with a log file.
class RunWndTest : public test::GuiTest, protected test::SimProgram {
protected:
    explicit RunWndTest(ProductCode model) : SimProgram(model) { rig.settle(); }

    // Chooses the command, logs to run.dat and acts on the run window while it is open.
    void runWindow(const std::function<void(RunWnd&)>& act) {
        op.expectQuestion("Do you want to log the data to a file?", "Log Data", true)
            .expectFile(true, log.string());
        test::whenModalOpens([act](QDialog& dialog) { act(dynamic_cast<RunWnd&>(dialog)); });
        app.frame().commandAction(cmd::kContinuousDataMode)->trigger();
    }
    void ticks(RunWnd& window, int count) {
        for (int i = 0; i < count; ++i) {
            rig.sleep(static_cast<std::uint32_t>(window.timer().interval()));
            window.tick();
        }
    }
    static QString text(RunWnd& window, const char* caption) {
        return window.field(caption)->text();
    }
    // The log's whole lines after the first, which may have begun mid-line.
    std::vector<std::string> loggedLines() {
        const std::string logged = test::readFile(log);
        EXPECT_EQ(logged.find("\r\r\n"), std::string::npos);
        auto lines = test::lines(logged);
        if (!lines.empty())
            lines.erase(lines.begin());
        return lines;
    }

    std::filesystem::path log = folder / "run.dat";
};

struct VexaRunWndTest : RunWndTest {
    VexaRunWndTest() : RunWndTest(ProductCode::Vexa3) {}
};

TEST_F(VexaRunWndTest, ShowsEveryChannelAndStopsTheInstrumentOnNo) {
    runWindow([this](RunWnd& window) {
        EXPECT_EQ(window.windowTitle(), "Vexa Run Continuous Mode");
        EXPECT_EQ(window.timer().interval(), 1000);
        EXPECT_EQ(text(window, "Logging Data to File:"), "run.dat");
        ticks(window, 4);
        EXPECT_EQ(text(window, "Time and Date:"), "OFF") << "channel 4 is off";
        EXPECT_EQ(text(window, "DC8"), "OFF");
        EXPECT_FALSE(window.field("Conductivity")->text().isEmpty());
        EXPECT_NE(text(window, "Pressure"), "OFF");
        test::screenshot(window, "VexaRunWnd");
        op.expectQuestion("Leave Instrument Running?", "Running", false);
        window.accept();
    });
    rig.device.advance();
    EXPECT_FALSE(rig.instrument().streaming());
    // The raw stream as it came: "SC" echoed, then whole scan lines of five fields.
    const auto lines = loggedLines();
    ASSERT_GE(lines.size(), 8u);
    for (const std::string& line : lines)
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 4) << line;
}

struct CTRunWndTest : RunWndTest {
    CTRunWndTest() : RunWndTest(ProductCode::TavrinCT) {}
};

TEST_F(CTRunWndTest, SynchronisesThenShowsRecordsAndLeavesTheInstrumentRunning) {
    runWindow([this](RunWnd& window) {
        auto& ct = dynamic_cast<CTRunWnd&>(window);
        EXPECT_EQ(window.windowTitle(), "CT Run Continuous Mode");
        EXPECT_EQ(window.timer().interval(), 1400);
        EXPECT_EQ(text(window, "Time and Date:"), "OFF");
        const std::vector<std::string> waiting = {"show", "1:Waiting for serial Data...", "2:0"};
        EXPECT_TRUE(std::equal(waiting.begin(), waiting.end(), op.progress.end() - 3));
        ticks(window, 3);
        EXPECT_TRUE(ct.run().synchronising()) << "fewer than 120 bytes yet";
        EXPECT_TRUE(text(window, "Temperature").isEmpty());
        ticks(window, 8);
        EXPECT_FALSE(ct.run().synchronising());
        EXPECT_EQ(op.progress.back(), "close");
        EXPECT_EQ(ct.run().stream().recordLength(), 18u); // "  2.3456, 10.1234"
        EXPECT_FALSE(text(window, "Conductivity").isEmpty());
        EXPECT_FALSE(text(window, "Temperature").isEmpty());
        test::screenshot(window, "CTRunWnd");
        op.expectQuestion("Leave Instrument Running?", "Running", true);
        window.accept();
    });
    rig.device.advance();
    EXPECT_TRUE(rig.instrument().streaming());
    // Each received CR LF is logged as one line end.
    for (const std::string& line : loggedLines())
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 1) << line;
}

} // namespace
} // namespace halcyx
