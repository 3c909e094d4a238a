// The water sampler in the acquisition window with a simulated Vexa 3: a down cast with three
// bottles fired (one already closed) and the sampler reset, checked in the bottle and cast
// files, and an instrument that stays silent, which neither hangs nor counts as a firing.
#include "core/base/Commands.h"
#include "gui/acquisition/AcqWnd.h"
#include "gui/acquisition/HeaderDlg.h"
#include "gui/app/MainFrame.h"
#include "sim/VexaModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimProgram.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

constexpr const char* kResetQuestion = "Are you sure you want to reset the water sampler?";

class SamplerTest : public test::GuiTest, protected test::SimProgram {
protected:
    SamplerTest() {
        app.show();
        rig.settle();
        choose(cmd::kAcquisition);
        choose(cmd::kEnableSampler);
    }
    AcqWnd& acq() { return app.acqWnd(); }
    void choose(int command) {
        app.frame().refreshCommandStates();
        ASSERT_TRUE(app.frame().commandAction(command)->isEnabled()) << command;
        app.frame().commandAction(command)->trigger();
    }
    void runTicks(int ms) {
        for (int t = 0; t < ms; t += acq().dataTimer().interval()) {
            rig.sleep(static_cast<std::uint32_t>(acq().dataTimer().interval()));
            acq().tick();
        }
    }
    QString status() { return acq().samplerStatus().text(); }
    sim::Sampler& sampler() { return rig.peerAs<sim::VexaModel>().sampler(); }
};

TEST_F(SamplerTest, ThreeBottlesOfACastGoToTheBottleFile) {
    sampler().setFault(2, sim::Sampler::Fault::AlreadyFired);
    const auto data = folder / "cast1.dat";
    op.expectFile(true, data.string());
    choose(cmd::kStartCast);
    runTicks(10'000);

    acq().fireButton().click();
    EXPECT_EQ(status(), "Bottle #1, Fired OK");
    EXPECT_TRUE(acq().dataTimer().isActive()) << "the stream runs again";
    runTicks(5'000);
    op.expectMessage("Error Firing bottle! Bottle All Ready Fired.", "Sampler Error", Icon::Stop);
    acq().fireButton().click();
    EXPECT_EQ(status(), "Fire FAILED, BAF");
    runTicks(5'000);
    const int scansBeforeThird = acq().session()->cast().scanCount();
    choose(cmd::kFireBottle);
    EXPECT_EQ(status(), "Bottle #3, Fired OK");
    test::screenshot(app.frame(), "AcqWnd-sampler");
    runTicks(5'000);
    EXPECT_GT(acq().session()->cast().scanCount(), scansBeforeThird + 5) << "scans go on";

    op.expectQuestion(kResetQuestion, "Reset Sampler", true);
    acq().homeButton().click();
    EXPECT_EQ(status(), "Reset OK");
    EXPECT_EQ(acq().sampler().bottleNumber(), 1);
    runTicks(2'000);
    test::whenModalOpens([](QDialog& dialog) { dialog.accept(); });
    choose(cmd::kEndCast);

    const auto bottles = test::lines(test::readFile(folder / "cast1.BTL"));
    ASSERT_EQ(bottles.size(), 6u);
    const char* results[] = {"Bottle #1, Fired OK, Scan #", "Bottle #2, Did NOT Fire, BAF, Scan #",
                             "Bottle #3, Fired OK, Scan #"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(bottles[2 * i].starts_with(results[i])) << bottles[2 * i];
        EXPECT_EQ(bottles[2 * i + 1].size(), 31u) << "%9.4f, %9.4f, %9.4f: " << bottles[2 * i + 1];
    }
    EXPECT_EQ(bottles[4], "Bottle #3, Fired OK, Scan #" + std::to_string(scansBeforeThird));
    // The stream stopped and started three times without a broken record in the cast file.
    const auto records = test::lines(test::readFile(data));
    ASSERT_GT(records.size(), 20u);
    for (const std::string& record : records)
        ASSERT_EQ(record.size(), records.front().size()) << record;
    EXPECT_TRUE(sampler().fired(1) && sampler().fired(3));
}

TEST_F(SamplerTest, ASilentInstrumentNeitherHangsNorFiresABottle) {
    rig.instrument().faults().silent = true;
    op.expectQuestion(kResetQuestion, "Reset Sampler", false);
    choose(cmd::kHomeSampler);
    EXPECT_EQ(status(), "");
    op.expectQuestion(kResetQuestion, "Reset Sampler", true)
        .expectMessage("Error resetting the sampler!", "Sampler Error", Icon::Stop);
    choose(cmd::kHomeSampler);
    EXPECT_EQ(status(), "Reset FAILED");
    op.expectMessage("Error Firing bottle! No answer.", "Sampler Error", Icon::Stop);
    acq().fireButton().click();
    EXPECT_EQ(status(), "Fire FAILED, NO ANSWER");
    EXPECT_EQ(acq().sampler().bottleNumber(), 2) << "counted whatever came of it";
    EXPECT_FALSE(acq().dataTimer().isActive());

    // In a cast the stream cannot be stopped: said once, and the data timer stays stopped.
    op.expectFile(true, (folder / "quiet.dat").string());
    choose(cmd::kStartCast);
    op.expectMessage("Error stopping CTD data!", "COMMS Error", Icon::Stop);
    acq().fireButton().click();
    EXPECT_FALSE(acq().dataTimer().isActive());
    EXPECT_EQ(acq().sampler().bottleNumber(), 2);
    EXPECT_TRUE(acq().logging()) << "the cast can still be ended";
}

} // namespace
} // namespace halcyx
