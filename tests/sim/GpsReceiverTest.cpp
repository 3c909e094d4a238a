// The GPS receiver: sentence framing and checksums, the fields the program reads, the track,
// and a receiver that goes quiet.

#include "GpsReceiver.h"

#include "SimLink.h"

#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

TEST(GpsReceiver, SendsPositionAndDateOnceASecond) {
    GpsReceiver::Config config;
    config.latitude = 44.5;
    config.longitude = -63.25;
    config.otherSentences = false;
    Rig<GpsReceiver> gps(config);
    gps.link.sleep(2'500);
    const auto sentences = lines(gps.link.read());
    ASSERT_EQ(sentences.size(), 6u);
    EXPECT_EQ(sentences[0], "$GPGLL,4430.0000,N,06315.0000,W,120000.00,A,A*7A");
    EXPECT_TRUE(sentences[1].starts_with("$GPZDA,120000.00,06,12,2026,00,00*"));
    EXPECT_TRUE(sentences[4].starts_with("$GPGLL,")) << sentences[4];
    EXPECT_NE(sentences[4].find(",120002.00,A"), std::string::npos) << sentences[4];
}

TEST(GpsReceiver, GoesQuietWhenTold) {
    GpsReceiver::Config config;
    config.quietAfter = 3 * kNanosPerSecond;
    Rig<GpsReceiver> gps(config);
    gps.link.sleep(3'500);
    EXPECT_FALSE(gps.link.read().empty());
    gps.link.sleep(20'000);
    EXPECT_EQ(gps.link.read(), "");
}

} // namespace
} // namespace halcyx::sim::test
