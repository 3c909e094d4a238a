// The "NAV Communications Setup" dialog, and the navigation port ticking against the
// simulated GPS receiver and against captured receiver streams that arrive split between
// ticks.
#include "gui/acquisition/NavPort.h"

#include "core/navigation/NavReader.h"
#include "core/settings/Profile.h"
#include "sim/GpsReceiver.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"

#include <QAbstractButton>
#include <QDialog>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using sim::kNanosPerSecond;

// A receiver that plays back a captured stream as fast as its line carries it.
class CapturePeer : public sim::LinePeer {
public:
    static constexpr std::uint32_t kBaud = 9600;                     // [bit/s]
    static constexpr std::size_t kPiece = 96;                        // bytes sent at a time
    static constexpr sim::SimTime kPieceTime = kNanosPerSecond / 10; // 96 bytes at 9600 baud

    explicit CapturePeer(std::string capture) : capture_(std::move(capture)) {}
    void start(sim::SimTime t) override {
        for (std::size_t at = 0; at < capture_.size(); at += kPiece)
            schedule(t + static_cast<sim::SimTime>(at / kPiece) * kPieceTime, 0,
                     [this, at](sim::SimTime when) {
                         send(when, std::string_view(capture_).substr(at, kPiece));
                     });
    }
    void receive(std::uint8_t, sim::SimTime) override {}
    std::uint32_t baud() const override { return kBaud; }
    // When the last piece is on its way [ms].
    std::int64_t lastPieceMs() const {
        return static_cast<std::int64_t>(capture_.size() / kPiece) * kPieceTime / 1'000'000;
    }

private:
    std::string capture_;
};

// The scripted operator, with something that happens while a message stands open.
class PatientOperator : public test::ScriptedOperator {
public:
    void message(const std::string& text, const std::string& caption, Icon icon) override {
        ScriptedOperator::message(text, caption, icon);
        if (whileOpen)
            whileOpen();
    }
    std::function<void()> whileOpen;
};

// A navigation port enabled on COM2 (the instrument is on COM1) with a towed cast started.
struct Bench {
    explicit Bench(std::unique_ptr<sim::LinePeer> peer) : rig(std::move(peer)) {
        kNavEnable.write(settings, 1);
        kNavPort.write(settings, 2);
        nav.open(1);
        nav.startCast();
    }
    void tick() {
        rig.clock.advanceMs(NavSession::kTickPeriodMs);
        nav.tick();
    }

    test::TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    test::SimRig rig;
    PatientOperator op;
    NavPort nav{rig.connect(), rig.clock, op, settings, nullptr};
};

// The positions a stream gives when read sentence by sentence, each change once.
std::vector<NavFix> PositionsOf(const std::string& stream) {
    NavReader reader;
    NavFix fix;
    NavFix last = fix;
    std::vector<NavFix> positions;
    for (std::size_t start = 0; start < stream.size();) {
        const std::size_t end = std::min(stream.find('\r', start), stream.size() - 1) + 1;
        reader.put(
            std::span(reinterpret_cast<const std::uint8_t*>(stream.data()) + start, end - start));
        while (reader.queuedBytes() > 0)
            if (reader.takeFix(fix, false) && fix != last)
                positions.push_back(last = fix);
        start = end;
    }
    return positions;
}

// True when every position of `part` is one of `whole`, in the same order.
bool InOrderWithin(const std::vector<NavFix>& part, const std::vector<NavFix>& whole) {
    auto at = whole.begin();
    for (const NavFix& fix : part) {
        at = std::find(at, whole.end(), fix);
        if (at == whole.end())
            return false;
        ++at;
    }
    return true;
}

// The positions the navigation port shows, tick by tick, while the stream plays.
std::vector<NavFix> PositionsThroughThePort(const std::string& stream) {
    auto peer = std::make_unique<CapturePeer>(stream);
    const std::int64_t lastPieceMs = peer->lastPieceMs();
    Bench bench(std::move(peer));
    std::vector<NavFix> positions;
    NavFix shown = bench.nav.fix();
    for (int unchanged = 0; unchanged < 3;) {
        bench.tick();
        const bool changed = bench.nav.fix() != shown;
        shown = bench.nav.fix();
        if (changed)
            positions.push_back(shown);
        unchanged = changed || bench.rig.clock.nowMs() < lastPieceMs ? 0 : unchanged + 1;
    }
    return positions;
}

void clickButton(QWidget& dialog, const QString& text) {
    for (auto* button : dialog.findChildren<QAbstractButton*>())
        if (button->text() == text)
            return button->click();
    ADD_FAILURE() << "no button " << text.toStdString();
}

class NavPortTest : public test::GuiTest {};

TEST_F(NavPortTest, TheDialogShowsAndReturnsTheSettings) {
    NavPortDlg dialog(NavSettings{true, 3, 4800, true, false, true});
    EXPECT_EQ(dialog.windowTitle(), "NAV Communications Setup");
    EXPECT_EQ(dialog.chosen(), (NavSettings{true, 3, 4800, true, false, true}));
    for (const char* choice : {"Enable Navigation Port", "COM1", "19200", "PC Time"})
        clickButton(dialog, choice);
    EXPECT_EQ(dialog.chosen(), (NavSettings{false, 1, 19200, true, true, false}));
    test::screenshot(dialog, "NavPortDlg");

    NavPortDlg unset(NavSettings{true, 0, 0, false, false, false});
    EXPECT_EQ(unset.chosen(), (NavSettings{true, 0, 0, false, false, false}))
        << "nothing selected stays unselected";

    QtNavPortDialog asked(nullptr);
    NavSettings edited{false, 2, 9600};
    test::whenModalOpens([](QDialog& shown) {
        clickButton(shown, "Enable Navigation Port");
        shown.accept();
    });
    EXPECT_TRUE(asked.edit(edited));
    EXPECT_TRUE(edited.enabled);
}

// The receiver falls silent, the operator leaves the alarm open for a minute while it
// starts again: one message, the ticks go on, and the first position shown is a fresh one.
TEST_F(NavPortTest, AQuietReceiverIsToldOnceAndResumesWithFreshPositions) {
    sim::GpsReceiver::Config config;
    config.quietAfter = 10 * kNanosPerSecond;
    Bench bench(std::make_unique<sim::GpsReceiver>(config));
    auto& gps = bench.rig.peerAs<sim::GpsReceiver>();
    EXPECT_TRUE(bench.nav.ticking());
    ASSERT_NE(bench.nav.stamp(), nullptr);

    bench.op.expectMessage(kNoNavDataText, kNoNavDataCaption, Icon::Stop);
    bench.op.whileOpen = [&] {
        EXPECT_FALSE(bench.nav.ticking()) << "no ticks while the message is open";
        gps.config().quietAfter = sim::kNever;
        bench.rig.clock.advanceMs(60'000);
    };
    for (int n = 0; n < 40 && !bench.op.done(); ++n)
        bench.tick();
    ASSERT_TRUE(bench.op.done());
    EXPECT_TRUE(bench.nav.ticking());
    EXPECT_TRUE(bench.nav.fix().positionUnknown());

    for (int n = 0; n < 3 && bench.nav.fix().positionUnknown(); ++n)
        bench.tick();
    ASSERT_EQ(bench.nav.fix().latHemisphere, 'N');
    const NavFix& fix = bench.nav.fix();
    const std::int64_t fixSecond = fix.hour * 3600 + fix.minute * 60 + fix.second;
    const std::int64_t utcSecond = (config.clockEpoch + bench.rig.clock.nowMs() / 1000) % 86400;
    EXPECT_LE(utcSecond - fixSecond, 2) << "a position sent while the message was open is stale";

    for (int n = 0; n < 30; ++n) // the receiver keeps sending: no further alarm
        bench.tick();
    bench.nav.endCast();
    EXPECT_FALSE(bench.nav.ticking());
}

TEST_F(NavPortTest, SplitReadsBetweenTicksGiveEveryPositionOfAStream) {
    std::string inline_capture = std::string("\0\xff noise\r\n", 10);
    for (int i = 0; i < 40; ++i) {
        const std::string gll = sim::GpsReceiver::sentence(
            "GPGLL,49" + std::to_string(10 + i) + ".4512,N,063" + std::to_string(10 + i) +
            ".1234,W,0015" + std::to_string(10 + i) + ".00,A,A");
        inline_capture += gll + "$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00*7B\r\n";
    }
    const std::vector<NavFix> expected = PositionsOf(inline_capture);
    ASSERT_EQ(expected.size(), 40u);
    EXPECT_EQ(PositionsThroughThePort(inline_capture), expected);

    std::error_code error;
    const auto folder = std::filesystem::path(HALCYX_SHARED_TESTDATA) / "nmea";
    int captures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".nmea")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string stream{std::istreambuf_iterator<char>(in), {}};
        // A receiver faster than the ticks fills the queue, which then drops whole sentences:
        // fewer positions, but only ones the stream carried, in its order.
        const std::vector<NavFix> shown = PositionsThroughThePort(stream);
        EXPECT_TRUE(InOrderWithin(shown, PositionsOf(stream))) << entry.path().filename();
        EXPECT_FALSE(shown.empty()) << entry.path().filename();
        ++captures;
    }
    if (captures == 0)
        GTEST_SKIP() << "no NMEA captures in " << folder << "; the inline stream passed";
}

} // namespace
} // namespace halcyx
