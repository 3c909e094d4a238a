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
    {
        Bench b; // not enabled: nothing opens
        b.nav.open(1);
        EXPECT_FALSE(b.nav.enabled());
        EXPECT_FALSE(b.nav.port().isOpen());
    }
    {
        Bench b;
        b.enable(2, 4800);
        b.nav.open(1);
        EXPECT_TRUE(b.nav.port().isOpen());
        EXPECT_EQ(b.nav.port().port(), 2);
        EXPECT_EQ(b.nav.port().baud(), 4800u);
        EXPECT_EQ(b.nav.port().inputFigure(), 8192);
    }
    {
        Bench b; // a device that is not there: not used from now on
        b.enable(3);
        b.parts.device.missingPaths.insert(CommPort::defaultPathForPort(3));
        b.op.expectMessage("OpenComm Error(COM3) = 19", "COMMUNICATION PORT ERROR", Icon::Stop);
        b.op.expectMessage("No such device", "GetLastError", Icon::Information);
        b.op.expectMessage("Error opening COM3", "OPEN COMM ERROR", Icon::Stop);
        b.nav.open(1);
        EXPECT_FALSE(b.nav.enabled());
        EXPECT_EQ(kNavEnable.read(b.settings), 0);
    }
    {
        Bench b; // the instrument's port: refused, and the dialog moves it
        b.enable(1);
        b.op.expectMessage("Error, Acquisition port is using COM1", "SAME COMPORT ERROR",
                           Icon::Stop);
        NavSettings choice;
        choice.enabled = true, choice.port = 4, choice.baud = 19200, choice.timeStamp = true;
        b.dialog.answer = choice;
        b.nav.open(1);
        ASSERT_EQ(b.dialog.shown.size(), 1u);
        EXPECT_EQ(b.dialog.shown[0].port, 1);
        EXPECT_TRUE(b.nav.port().isOpen());
        EXPECT_EQ(b.nav.port().port(), 4);
        EXPECT_EQ(kNavPort.read(b.settings), 4);
        EXPECT_EQ(kNavBaud.read(b.settings), 19200);
        EXPECT_EQ(kNavTimeStamp.read(b.settings), 1);
    }
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
        {"disabled", {false, 2, 9600, false, true, false}, nullptr, 0, false},
        {"no port",
         {true, 0, 9600, false, true, false},
         "Error determining Navigation comport!",
         1,
         false},
        {"no rate",
         {true, 2, 0, false, true, false},
         "Error determining Navigation comport Baudrate!",
         1,
         true},
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
// alarm once and clears the position; when the receiver comes back, stamping resumes.
TEST(NavSession, AlarmsAfterTwentyTwoTicksAndResumes) {
    GpsReceiver::Config config;
    config.quietAfter = 10 * kNanosPerSecond;
    Bench b(config);
    b.enable();
    b.nav.open(1);
    b.nav.startCast();
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
}

TEST(NavSession, AReceiverAtTheWrongRateRaisesTheAlarm) {
    GpsReceiver::Config config;
    config.baud = 4800;
    Bench b(config);
    b.enable(2, 9600);
    b.nav.open(1);
    b.nav.startCast();
    EXPECT_EQ(b.ticksUntil(NavTick::Alarm), static_cast<int>(NavSession::kAlarmTicks));
    EXPECT_EQ(b.appendix(), ", 0.000, X, 0.000, X");
}

TEST(NavSession, ACastStartDropsWhatWaitedSinceTheLastCast) {
    Bench b;
    b.enable();
    b.nav.open(1);
    b.nav.startCast();
    ASSERT_EQ(b.ticksUntil(NavTick::Fix), 1);
    // Between casts nothing ticks; what arrived meanwhile is old at the next start.
    const std::string old = "$GPGLL,1111.0000,N,02222.0000,E,101010,A,A*00\r\n";
    EXPECT_EQ(b.nav.tick(std::span(reinterpret_cast<const std::uint8_t*>(old.data()), 20)),
              NavTick::NoFix);
    b.parts.clock.advanceMs(60'000);
    b.nav.startCast();
    EXPECT_EQ(b.appendix(), ", 0.000, X, 0.000, X");
    b.parts.clock.advanceMs(100);
    EXPECT_EQ(b.nav.tick(std::span(reinterpret_cast<const std::uint8_t*>(old.data()) + 20,
                                   old.size() - 20)),
              NavTick::NoFix);
    EXPECT_EQ(b.ticksUntil(NavTick::Fix), 1);
    EXPECT_NE(b.nav.fix().latitude, 1111.0);
}

TEST(NavAppendix, FormatsPositionAndTime) {
    NavFix gll;
    gll.latitude = 4916.4512, gll.latHemisphere = 'N';
    gll.longitude = 6311.1234, gll.lonHemisphere = 'W';
    gll.hour = 0, gll.minute = 15, gll.second = 59;
    gll.day = 6, gll.month = 12, gll.year = 2026;
    NavFix noFix = gll;
    noFix.latHemisphere = 'R';
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
