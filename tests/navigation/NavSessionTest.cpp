// The navigation port and its settings, the no-data alarm on the virtual clock against the
// simulated GPS receiver, the cast-start reset and the appendix of towed records.

#include "core/navigation/NavSession.h"

#include "core/navigation/NavAppendix.h"
#include "core/settings/Profile.h"
#include "sim/GpsReceiver.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using sim::GpsReceiver;
using sim::kNanosPerSecond;

// The setup dialog of a test: records what it was shown and answers as scripted.
class ScriptedNavDialog : public NavPortDialog {
public:
    bool edit(NavSettings& settings) override {
        shown.push_back(settings);
        if (!answer)
            return false;
        settings = *answer;
        return true;
    }
    std::optional<NavSettings> answer; // nullopt: Cancel
    std::vector<NavSettings> shown;
};

std::tm LocalNoon() {
    std::tm local{};
    local.tm_hour = 12, local.tm_min = 34, local.tm_sec = 56;
    local.tm_mday = 7, local.tm_mon = 11, local.tm_year = 126;
    return local;
}

// A GPS receiver on the navigation port of a session, with its own settings file.
struct Bench {
    explicit Bench(GpsReceiver::Config config = {})
        : parts(std::make_unique<GpsReceiver>(config)) {}
    GpsReceiver& gps() { return dynamic_cast<GpsReceiver&>(*parts.peer); }
    void enable(int port = 2, int baud = 9600) {
        kNavEnable.write(settings, 1);
        kNavPort.write(settings, port);
        kNavBaud.write(settings, baud);
    }
    // Ticks every 950 ms until the tick that gives outcome, at most limit ticks; the count.
    int ticksUntil(NavTick outcome, int limit = 100) {
        for (int n = 1; n <= limit; ++n) {
            parts.clock.advanceMs(NavSession::kTickPeriodMs);
            if (nav.tick() == outcome)
                return n;
        }
        return -1;
    }
    // Enabled on COM2 at the rate, opened, and a cast started.
    void start(int baud = 9600) {
        enable(2, baud);
        nav.open(1);
        nav.startCast();
    }
    std::string appendix() {
        std::string line;
        nav.appendTo(line);
        return line;
    }

    test::TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    test::SimRigParts parts;
    test::ScriptedOperator op;
    ScriptedNavDialog dialog;
    NavSession nav{parts.device, parts.clock, op, settings, dialog, kNavPort, LocalNoon};
};

TEST(NavSession, OpensFromTheSettingsOrRefuses) {
    Bench off; // not enabled: nothing opens
    off.nav.open(1);
    EXPECT_FALSE(off.nav.enabled() || off.nav.port().isOpen());

    Bench on;
    on.enable(2, 4800);
    on.nav.open(1);
    EXPECT_TRUE(on.nav.port().isOpen());
    EXPECT_EQ(on.nav.port().port(), 2);
    EXPECT_EQ(on.nav.port().baud(), 4800u);

    Bench missing; // a device that is not there: not used from now on
    missing.enable(3);
    missing.parts.device.missingPaths.insert(CommPort::defaultPathForPort(3));
    missing.op.expectMessage("OpenComm Error(COM3) = 19", "COMMUNICATION PORT ERROR", Icon::Stop)
        .expectMessage("No such device", "GetLastError", Icon::Information)
        .expectMessage("Error opening COM3", "OPEN COMM ERROR", Icon::Stop);
    missing.nav.open(1);
    EXPECT_FALSE(missing.nav.enabled());
    EXPECT_EQ(kNavEnable.read(missing.settings), 0);

    Bench same; // the instrument's port: refused, and the dialog moves it
    same.enable(1);
    same.op.expectMessage("Error, Acquisition port is using COM1", "SAME COMPORT ERROR",
                          Icon::Stop);
    same.dialog.answer = NavSettings{true, 4, 19200, true, true, false};
    same.nav.open(1);
    ASSERT_EQ(same.dialog.shown.size(), 1u);
    EXPECT_EQ(same.dialog.shown[0].port, 1);
    EXPECT_EQ(same.nav.port().port(), 4);
    EXPECT_EQ(kNavPort.read(same.settings), 4);
    EXPECT_EQ(kNavBaud.read(same.settings), 19200);
    EXPECT_EQ(kNavTimeStamp.read(same.settings), 1);
}

TEST(NavSession, SetupStoresWhatItCanApply) {
    struct Case {
        const char* name;
        NavSettings choice;
        const char* message; // nullptr: none
        int storedEnable;
        bool open;
    };
    const std::vector<Case> cases = {
        {"disabled", {false, 2, 9600}, nullptr, 0, false},
        {"no port", {true, 0, 9600}, "Error determining Navigation comport!", 1, false},
        {"no rate", {true, 2, 0}, "Error determining Navigation comport Baudrate!", 1, true},
        {"applied", {true, 3, 2400, true, false, true}, nullptr, 1, true},
    };
    for (const Case& c : cases) {
        Bench b;
        b.enable(2);
        b.nav.open(1);
        if (c.message != nullptr)
            b.op.expectMessage(c.message, "NAV COMMUNICATION PORT ERROR", Icon::Stop);
        b.dialog.answer = c.choice;
        b.nav.setup();
        EXPECT_EQ(kNavEnable.read(b.settings), c.storedEnable) << c.name;
        EXPECT_EQ(b.nav.port().isOpen(), c.open) << c.name;
        EXPECT_EQ(kNavGpsTime.read(b.settings), c.choice.gpsTime ? 1 : 0) << c.name;
    }
}

// The receiver goes quiet after ten seconds: the 22nd tick without a position raises the
// alarm once and clears the position; when the receiver comes back, stamping resumes. A
// receiver at the wrong rate raises it too.
TEST(NavSession, AlarmsAfterTwentyTwoTicksAndResumes) {
    GpsReceiver::Config config;
    config.quietAfter = 10 * kNanosPerSecond;
    Bench b(config);
    b.start();
    EXPECT_EQ(b.appendix(), ", 0.000, X, 0.000, X");
    ASSERT_EQ(b.ticksUntil(NavTick::Fix), 1);
    EXPECT_EQ(b.appendix(), ", 4430.000, N, 6330.000, W");
    // The last sentences are sent at 9 s and arrive within the tick at 9.5 s (the 10th).
    EXPECT_EQ(b.ticksUntil(NavTick::Alarm), 9 + NavSession::kAlarmTicks);
    EXPECT_EQ(b.appendix(), ", 0.000, X, 0.000, X");
    EXPECT_EQ(b.nav.noDataCount(), 0u);
    EXPECT_EQ(b.ticksUntil(NavTick::Alarm), static_cast<int>(NavSession::kAlarmTicks));

    b.gps().config().quietAfter = sim::kNever;
    ASSERT_EQ(b.ticksUntil(NavTick::Fix, 2), 1);
    EXPECT_NE(b.nav.fix().latitude, 0.0);
    EXPECT_EQ(b.nav.fix().latHemisphere, 'N');

    GpsReceiver::Config wrongRate;
    wrongRate.baud = 4800;
    Bench slow(wrongRate);
    slow.start(9600);
    EXPECT_EQ(slow.ticksUntil(NavTick::Alarm), static_cast<int>(NavSession::kAlarmTicks));
    EXPECT_EQ(slow.appendix(), ", 0.000, X, 0.000, X");
}

TEST(NavSession, ACastStartDropsWhatWaitedSinceTheLastCast) {
    Bench b;
    b.start();
    ASSERT_EQ(b.ticksUntil(NavTick::Fix), 1);
    // Half an old sentence is queued at the end of a cast, its rest waits in the port.
    const std::string old = "$GPGLL,1111.0000,N,02222.0000,E,101010,A,A*00\r\n";
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(old.data()), old.size());
    EXPECT_EQ(b.nav.tick(bytes.first(20)), NavTick::NoFix);
    b.nav.startCast();
    EXPECT_EQ(b.appendix(), ", 0.000, X, 0.000, X");
    EXPECT_EQ(b.nav.tick(bytes.subspan(20)), NavTick::NoFix);
    EXPECT_EQ(b.ticksUntil(NavTick::Fix), 1);
    EXPECT_NE(b.nav.fix().latitude, 1111.0);
}

TEST(NavAppendix, FormatsPositionAndTime) {
    const NavFix gll{4916.4512, 6311.1234, 'N', 'W', 0, 15, 59, 6, 12, 2026};
    const NavFix noFix{4916.4512, 6311.1234, 'R', 'W', 0, 15, 59, 6, 12, 2026};
    struct Case {
        const char* name;
        NavFix fix;
        TimeStampChoice stamp;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"position only", gll, {false, true}, ", 4916.451, N, 6311.123, W"},
        {"GPS time", gll, {true, false}, ", 4916.451, N, 6311.123, W, 00:15:59 12-6-2026"},
        {"PC time", gll, {true, true}, ", 4916.451, N, 6311.123, W, 12:34:56 12-7-2026"},
        {"'R' is no position", noFix, {false, true}, ", 0.000, X, 0.000, X"},
    };
    for (Case c : cases) {
        std::string line = "35.1,12.5";
        appendNavigation(line, c.fix, c.stamp, LocalNoon());
        EXPECT_EQ(line, std::string("35.1,12.5") + c.text) << c.name;
    }
}

} // namespace
} // namespace halcyx
