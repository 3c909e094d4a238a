// Module acquisition on the virtual clock against the simulated modules and GPS receiver:
// the run-mode check, the data file line by line, the navigation appendix, a module that
// goes away and comes back, and a module that sends nothing or noise.
#include "core/module/ModuleSession.h"

#include "core/instrument/Format.h"
#include "core/settings/Profile.h"
#include "sim/GpsReceiver.h"
#include "sim/ModuleModel.h"
#include "sim/SimDevice.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using sim::ModuleModel;

struct NoNavDialog : NavPortDialog {
    bool edit(NavSettings&) override { return false; }
};

// The number a whole text holds; nullopt when any of it is not part of the number.
std::optional<double> wholeNumber(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0')
        return std::nullopt;
    return value;
}

std::tm localNoon() {
    std::tm t{};
    t.tm_hour = 12, t.tm_min = 34, t.tm_sec = 56, t.tm_mday = 7, t.tm_mon = 11, t.tm_year = 126;
    return t;
}

// A module on COM1 and a GPS receiver on COM2, one clock for both, and a session over them.
struct Bench {
    explicit Bench(ModuleModel::Kind kind = ModuleModel::Kind::Temperature) : module(kind) {}

    // Opens the ports, selects the module and starts logging to log.dat.
    void startLogging(ModuleType type = ModuleType::Temperature) {
        session.openDataPort();
        nav.open(session.dataPort().port());
        op.expectMessage("Instrument must be in RUN mode!", "State Error", Icon::Stop);
        session.SelectModule(type);
        op.expectFile(true, path);
        ASSERT_TRUE(session.StartLogging());
        if (nav.enabled())
            nav.startCast();
    }
    // Data ticks (and navigation ticks) for the seconds given.
    void run(int seconds) {
        for (int s = 0; s < seconds; ++s) {
            clock.advanceMs(ModuleSession::kDataTickMs);
            if (nav.enabled())
                nav.tick();
            session.tick();
        }
    }
    std::vector<std::string> fileLines() { return test::lines(test::readFile(path)); }
    // The values the module sent, as lines of text.
    std::vector<std::string> sentValues() {
        std::string bytes;
        for (const sim::TrafficBurst& burst : moduleLine.traffic().bursts())
            if (burst.direction == sim::Direction::ToProgram)
                bytes += burst.bytes;
        std::vector<std::string> values;
        for (const std::string& line : test::lines(bytes))
            if (const auto value = wholeNumber(line); value && formatText("%8.4f", *value) == line)
                values.push_back(line);
        return values;
    }

    VirtualClock clock;
    ModuleModel module;
    sim::SimDevice moduleLine{clock, module};
    sim::GpsReceiver gps{{}};
    sim::SimDevice gpsLine{clock, gps};
    test::TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    std::string path = (folder / "log.dat").string();
    test::ScriptedOperator op;
    NoNavDialog dialog;
    NavSession nav{gpsLine, clock, op, settings, dialog, kNavPortModule, localNoon};
    ModuleSession session{moduleLine, clock, op, settings, nav, localNoon};
};

TEST(ModuleSession, LogsWhatEachModuleSendsLineByLine) {
    const struct {
        ModuleModel::Kind kind;
        ModuleType type;
        const char* title;
    } cases[] = {{ModuleModel::Kind::Conductivity, ModuleType::Conductivity, "Conductivity"},
                 {ModuleModel::Kind::Temperature, ModuleType::Temperature, "Temperature"},
                 {ModuleModel::Kind::Pressure, ModuleType::Pressure, "Pressure"}};
    for (const auto& c : cases) {
        Bench bench(c.kind);
        bench.startLogging(c.type);
        EXPECT_TRUE(bench.module.running()) << "started by the check";
        EXPECT_EQ(bench.session.graph().title(), c.title);
        bench.run(45);
        bench.session.EndLogging();
        EXPECT_FALSE(bench.module.streaming());

        const std::vector<std::string> records = bench.fileLines();
        ASSERT_GE(records.size(), 35u) << c.title;
        EXPECT_EQ(records.size(), static_cast<std::size_t>(bench.session.recordCount()));
        // Every record is the next value the module sent, none left out or repeated.
        const std::vector<std::string> sent = bench.sentValues();
        std::size_t first = 0;
        while (first < sent.size() &&
               formatText("%+7.4f", std::stod(sent[first])) != records.front())
            ++first;
        ASSERT_LE(first + records.size(), sent.size()) << c.title;
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(records[i], formatText("%+7.4f", std::stod(sent[first + i]))) << i;

        const CastInfo& info = bench.session.info();
        EXPECT_EQ(info.dataFile, bench.path);
        EXPECT_EQ(info.date + " " + info.startTime, "12-07-2026 12:34:56");
        EXPECT_EQ(info.observations, std::to_string(records.size()));
        EXPECT_EQ(info.parameters + info.frameLength + info.scanRate, "1ASCIIN/A");
    }
}

TEST(ModuleSession, RecordsCarryThePositionAndTheGpsTime) {
    Bench bench;
    kNavEnable.write(bench.settings, 1);
    kNavPortModule.write(bench.settings, 2);
    kNavTimeStamp.write(bench.settings, 1);
    kNavPcTime.write(bench.settings, 0);
    kNavGpsTime.write(bench.settings, 1);
    bench.startLogging();
    bench.run(20);
    bench.session.EndLogging();
    const std::vector<std::string> records = bench.fileLines();
    ASSERT_FALSE(records.empty());
    double value = 0, latitude = 0, longitude = 0;
    char north = 0, west = 0;
    int hour = 0, minute = 0, second = 0, month = 0, day = 0, year = 0;
    ASSERT_EQ(std::sscanf(records.back().c_str(), "%lf, %lf, %c, %lf, %c, %d:%d:%d %d-%d-%d",
                          &value, &latitude, &north, &longitude, &west, &hour, &minute, &second,
                          &month, &day, &year),
              11)
        << records.back();
    EXPECT_NEAR(value, 17.0, 2.0);
    EXPECT_NEAR(latitude, 4430.0, 1.0) << "44.5 degrees north as ddmm.mmmm";
    EXPECT_NEAR(longitude, 6330.0, 1.0);
    EXPECT_EQ(std::string() + north + west, "NW");
    EXPECT_EQ(formatText("%02d:%02d %d-%d-%d", hour, minute, month, day, year), "12:00 12-6-2026")
        << "the receiver's time and date";
}

TEST(ModuleSession, AModuleThatGoesAwayIsToldOnceAndLoggingGoesOnWhenItIsBack) {
    Bench bench;
    bench.startLogging();
    bench.run(20);
    const int before = bench.session.recordCount();
    ASSERT_GT(before, 0);
    bench.moduleLine.unplug();
    bench.op.expectMessage("The module on COM1 (/dev/ttyS0) has gone away.\n\nThe " +
                               std::to_string(before) +
                               " records so far are in log.dat. Logging goes on as soon as the "
                               "module is back.",
                           "COMMUNICATION PORT ERROR", Icon::Stop);
    bench.run(10);
    EXPECT_TRUE(bench.op.done());
    EXPECT_EQ(bench.session.recordCount(), before);
    bench.moduleLine.plugIn();
    bench.run(20);
    EXPECT_GT(bench.session.recordCount(), before + 10);
    bench.session.EndLogging();
    EXPECT_EQ(bench.fileLines().size(), static_cast<std::size_t>(bench.session.recordCount()));
}

TEST(ModuleSession, SilenceNoiseAndShortLinesNeverBreakTheLog) {
    Bench bench;
    bench.module.silent = true;
    bench.session.openDataPort();
    bench.op.expectMessage("No Instrument Found!", "Communications Error", Icon::Stop);
    bench.session.SelectModule(ModuleType::Pressure);
    bench.op.expectFile(true, bench.path);
    ASSERT_TRUE(bench.session.StartLogging());
    bench.run(10);
    EXPECT_EQ(bench.session.recordCount(), 0);

    std::vector<std::uint8_t> noise(ModuleSession::kMaxBytesPerTick * 2);
    std::uint32_t seed = 7;
    for (std::uint8_t& byte : noise)
        byte = static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
    for (int tick = 0; tick < 10; ++tick)
        bench.session.tick(noise);
    const std::string shortLines = "\r\r1\r\n2\r\n,\r\n-\r\n9e999\r\n";
    for (int tick = 0; tick < 10; ++tick)
        bench.session.tick(
            std::span(reinterpret_cast<const std::uint8_t*>(shortLines.data()), shortLines.size()));
    bench.session.EndLogging();
    const std::vector<std::string> records = bench.fileLines();
    EXPECT_EQ(records.size(), static_cast<std::size_t>(bench.session.recordCount()));
    for (const std::string& record : records)
        EXPECT_EQ(formatText("%+7.4f", wholeNumber(record).value_or(0)), record) << record;
}

} // namespace
} // namespace halcyx
