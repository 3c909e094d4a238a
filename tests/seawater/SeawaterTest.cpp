// The seawater functions against the UNESCO 1983 check values, and their settled edge cases.
#include "core/seawater/Seawater.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace halcyx;

namespace {

// Conductivity of standard seawater (S 35, 15 degC, 0 dbar) [mS/cm]; check values of
// salinity are published for conductivity ratios.
constexpr double kC35 = 42.914;

struct CheckValue {
    const char* what;
    double computed;
    double published;
    int decimals; // as published; the tolerance is one unit of the last decimal
};

} // namespace

TEST(Seawater, ReproducesThePublishedCheckValues) {
    const std::vector<CheckValue> table = {
        {"salinity R=1.888091 T=40 P=10000", SeawaterSalinity(1.888091 * kC35, 40, 10000), 40.0000,
         4},
        {"salinity R=1 T=15 P=0", SeawaterSalinity(kC35, 15, 0), 35.0000, 4},
        {"gradient S=40 T=40 P=10000", SeawaterAtg(40, 40, 10000), 3.255976e-4, 10},
        {"theta S=40 T=40 P=10000", SeawaterTheta(40, 40, 10000), 36.89073, 5},
        {"sigma S=40 T=40 P=10000", SeawaterSigma(40, 40, 10000), 59.82037, 5},
        {"sigma S=0 T=5 P=0", SeawaterSigma(0, 5, 0), 999.96675 - 1000, 5},
        {"sigma S=0 T=5 P=10000", SeawaterSigma(0, 5, 10000), 1044.12802 - 1000, 5},
        {"sigma S=0 T=25 P=0", SeawaterSigma(0, 25, 0), 997.04796 - 1000, 5},
        {"sigma S=0 T=25 P=10000", SeawaterSigma(0, 25, 10000), 1037.90204 - 1000, 5},
        {"sigma S=35 T=5 P=0", SeawaterSigma(35, 5, 0), 1027.67547 - 1000, 5},
        {"sigma S=35 T=5 P=10000", SeawaterSigma(35, 5, 10000), 1069.48914 - 1000, 5},
        {"sigma S=35 T=25 P=0", SeawaterSigma(35, 25, 0), 1023.34306 - 1000, 5},
        {"sigma S=35 T=25 P=10000", SeawaterSigma(35, 25, 10000), 1062.53817 - 1000, 5},
        {"depth P=10000 lat 30", SeawaterDepth(10000, 30), 9712.653, 3},
        {"depth P=10000 lat 90", SeawaterDepth(10000, 90), 9674.23, 2},
        {"depth P=500 lat 0", SeawaterDepth(500, 0), 496.65, 2},
        {"depth P=500 lat 45", SeawaterDepth(500, 45), 495.34, 2},
        {"depth P=500 lat 90", SeawaterDepth(500, 90), 494.03, 2},
        {"sound speed S=40 T=40 P=10000", SeawaterSoundSpeed(40, 40, 10000), 1731.995, 3},
    };
    for (const CheckValue& row : table)
        EXPECT_NEAR(row.computed, row.published, std::pow(10.0, -row.decimals)) << row.what;
}

TEST(Seawater, DryCellGivesZeroSalinity) {
    // Conductivity ratios up to 0.0005, i.e. up to 0.021457 mS/cm, mean no water in the cell.
    for (double c : {0.0, -5.0, 0.0214, 0.0005 * kC35})
        EXPECT_EQ(SeawaterSalinity(c, 20, 100), 0.0) << "C=" << c;
    EXPECT_NE(SeawaterSalinity(0.03, 20, 100), 0.0) << "just above the threshold is water";
}

TEST(Seawater, SurfacePressureLeavesDepthZeroAndThetaInSitu) {
    for (double latitude : {-60.0, 0.0, 45.0, 90.0})
        EXPECT_EQ(SeawaterDepth(0, latitude), 0.0) << "latitude " << latitude;
    for (double t : {-1.8, 4.0, 28.5})
        EXPECT_EQ(SeawaterTheta(35, t, 0), t) << "T=" << t;
}

TEST(Seawater, NegativeSalinityCountsAsFresh) {
    // Near-dry conductivities can give a slightly negative salinity; S^1.5 must not see it.
    for (double s : {-0.004, -3.0}) {
        for (const auto& [t, p] : {std::pair{4.0, 0.0}, std::pair{20.0, 2500.0}}) {
            SCOPED_TRACE(testing::Message() << s << " " << t << " " << p);
            EXPECT_EQ(SeawaterSigma(s, t, p), SeawaterSigma(0, t, p));
            EXPECT_EQ(SeawaterSoundSpeed(s, t, p), SeawaterSoundSpeed(0, t, p));
        }
    }
}

TEST(Seawater, DcChannelPolynomial) {
    for (double x : {0.0, -12.5, 1234.5678, 4.0e6})
        EXPECT_EQ(DcChannelValue(x, 0, 1, 0, 0, 0), x) << "an unnamed channel passes x through";
    EXPECT_DOUBLE_EQ(DcChannelValue(2, 1, 2, 3, 4, 5), 1 + 2 * 2 + 3 * 4 + 4 * 8 + 5 * 16);
    // The coefficients are single precision; the reading and the sum stay double.
    EXPECT_DOUBLE_EQ(DcChannelValue(0.5, 0.1f, 0.3f, 0, 0, 0), double{0.1f} + 0.5 * double{0.3f});
}
