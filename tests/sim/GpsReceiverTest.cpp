// The GPS receiver: sentence framing and checksums, the fields the program reads, the track,
// and a receiver that goes quiet.

#include "GpsReceiver.h"

#include "SimLink.h"

#include <gtest/gtest.h>
#include <vector>

namespace halcyx::sim::test {
namespace {

std::vector<std::string> sentencesOf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

bool checksumHolds(const std::string& sentence) {
    const std::size_t star = sentence.find('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string::npos) {
        return false;
    }
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i) {
        sum ^= static_cast<unsigned char>(sentence[i]);
    }
    return std::stoul(sentence.substr(star + 1), nullptr, 16) == sum;
}

TEST(GpsReceiver, FramesSentencesWithTheirChecksum) {
    EXPECT_EQ(GpsReceiver::sentence("GPGLL,4916.45,N,12311.12,W,225444,A"),
              "$GPGLL,4916.45,N,12311.12,W,225444,A*31\r\n");
}

TEST(GpsReceiver, SendsPositionAndDateOnceASecond) {
    GpsReceiver::Config config;
    config.latitude = 44.5;
    config.longitude = -63.25;
    config.otherSentences = false;
    GpsReceiver gps(config);
    VirtualClock clock;
    SimDevice device(clock, gps);
    SimLink link(clock, device);
    link.sleep(2'500);
    const auto sentences = sentencesOf(link.read());
    ASSERT_EQ(sentences.size(), 6u);
    for (const std::string& s : sentences) {
        EXPECT_TRUE(checksumHolds(s)) << s;
    }
    EXPECT_EQ(sentences[0], "$GPGLL,4430.0000,N,06315.0000,W,120000.00,A,A*7A");
    EXPECT_TRUE(sentences[1].starts_with("$GPZDA,120000.00,06,12,2026,00,00*"));
    EXPECT_TRUE(sentences[4].starts_with("$GPGLL,")) << sentences[4];
    EXPECT_NE(sentences[4].find(",120002.00,A"), std::string::npos) << sentences[4];
}

TEST(GpsReceiver, GoesQuietWhenTold) {
    GpsReceiver::Config config;
    config.quietAfter = 3 * kNanosPerSecond;
    GpsReceiver gps(config);
    VirtualClock clock;
    SimDevice device(clock, gps);
    SimLink link(clock, device);
    link.sleep(3'500);
    EXPECT_FALSE(link.read().empty());
    link.sleep(20'000);
    EXPECT_EQ(link.read(), "");
}

} // namespace
} // namespace halcyx::sim::test
