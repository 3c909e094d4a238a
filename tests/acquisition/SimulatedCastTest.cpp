// A down cast of the simulated Vexa 3 read tick by tick through a cast session: no scan lost.

#include "core/acquisition/CastSession.h"
#include "tests/acquisition/RecordingSubscriber.h"
#include "tests/support/SimRig.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(SimulatedCast, EveryScanAfterSynchronisationIsRecordedInOrder) {
    test::SimRig rig(ProductCode::Vexa3, [](sim::Instrument::Config& config) {
        config.settings.channels = {true, true, true, true, true, true};
        config.settings.dcChannels = {true, true, true, true, true, true, true, true};
    });
    rig.ask("***R");
    rig.ask("SC", 0, 0);

    CastSession session(ScanLayout::Vexa, 0xFF3F, DCChannelTable());
    test::RecordingSubscriber sink;
    session.subscribe(sink);
    ASSERT_TRUE(session.startCast("/dev/null", {}));
    std::string received;
    constexpr int kTicks = 130'000 / modelTraits(ScanLayout::Vexa).dataTickMs; // soak and descent
    for (int tick = 0; tick < kTicks; ++tick) {
        rig.sleep(modelTraits(ScanLayout::Vexa).dataTickMs);
        std::array<std::uint8_t, CastSession::kMaxBytesPerTick> bytes{};
        const long n = rig.device.read(bytes);
        ASSERT_GE(n, 0);
        received.append(reinterpret_cast<const char*>(bytes.data()), static_cast<std::size_t>(n));
        session.tick(std::span(bytes).first(static_cast<std::size_t>(n)));
    }

    ASSERT_GT(sink.records.size(), 250u);
    // The records are consecutive lines of what arrived, none missing, none changed.
    std::string recorded;
    for (const std::string& record : sink.records)
        recorded += record + "\r\n";
    EXPECT_NE(received.find(recorded), std::string::npos);
    EXPECT_LT(received.size() - received.find(recorded) - recorded.size(),
              2 * (sink.records.front().size() + 2) + 50u) // only the margin is left
        << "lines lost at the end";
    const ScanRecord& last = session.record();
    EXPECT_EQ(last[0], static_cast<float>(sink.records.size() - 1));
    EXPECT_NEAR(last[3], 100.0f, 2.0f);    // pressure after 100 s of descent
    EXPECT_NEAR(last[14], last[4], 0.05f); // our salinity agrees with the instrument's
    EXPECT_NEAR(last[19], last[5], 1.0f);  // and so does the sound speed
}

} // namespace
} // namespace halcyx
