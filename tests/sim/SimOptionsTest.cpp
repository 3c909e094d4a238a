// halcyx-sim's command line: models with their identities, faults, and refusals.

#include "SimOptions.h"

#include <gtest/gtest.h>

namespace halcyx::sim {
namespace {

TEST(SimOptions, ChoosesModelIdentityAndMemory) {
    struct Case {
        std::vector<std::string> args;
        const char* model;
        const char* serial;
    };
    for (const Case& c :
         {Case{{}, "Vexa 3", "1634M"}, Case{{"--model", "vexa2"}, "Vexa 2", "1234M"},
          Case{{"--model", "ct"}, "Tavrin CT", "F0123"},
          Case{{"--model", "p", "--serial", "Q0999"}, "Tavrin P", "Q0999"}}) {
        SimOptions options;
        ASSERT_FALSE(parseOptions(c.args, options));
        const auto instrument = makeInstrument(options, 0);
        EXPECT_EQ(instrument->modelName(), c.model);
        EXPECT_EQ(instrument->identity().serialNumber, c.serial);
    }
    SimOptions options;
    ASSERT_FALSE(parseOptions(
        {"--firmware", "1.90", "--caldate", "01JAN20", "--address", "5", "--preload", "10"},
        options));
    auto instrument = makeInstrument(options, 0);
    EXPECT_EQ(instrument->identity().firmware, "1.90");
    EXPECT_EQ(instrument->identity().calibrationDate, "01JAN20");
    EXPECT_EQ(instrument->identity().address, 5);
    EXPECT_EQ(instrument->memory().loggedBytes(), 10 * instrument->bytesPerScan());
}

TEST(SimOptions, RefusesWhatItDoesNotKnow) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--model", "vexa9"},
                                               {"--baud"},
                                               {"--baud", "fast"},
                                               {"--address", "8"},
                                               {"--fault", "drop=0"},
                                               {"--fault", "gremlins"},
                                               {"--frobnicate", "1"}}) {
        SimOptions options;
        EXPECT_TRUE(parseOptions(args, options)) << args[0];
    }
}

} // namespace
} // namespace halcyx::sim
