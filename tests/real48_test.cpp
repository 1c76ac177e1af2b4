#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/real48.h"

namespace zvx {
namespace {

constexpr double Largest = (2.0 - 0x1p-39) * 0x1p126;
constexpr double Smallest = 0x1p-128;

TEST(Real48, KnownBytePatterns) {
    EXPECT_EQ(DoubleToReal48(1.0), (Real48{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DoubleToReal48(-2.5), (Real48{0x82, 0, 0, 0, 0, 0xA0}));
    EXPECT_EQ(DoubleToReal48(7.5), (Real48{0x83, 0, 0, 0, 0, 0x70}));
    EXPECT_EQ(DoubleToReal48(0.5), (Real48{0x80, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DoubleToReal48(100.0), (Real48{0x87, 0, 0, 0, 0, 0x48}));
    // The fraction is least significant byte first: 1 + 2^-39 sets the lowest bit of byte 1.
    EXPECT_EQ(DoubleToReal48(1.0 + 0x1p-39), (Real48{0x81, 1, 0, 0, 0, 0}));
    EXPECT_EQ(Real48ToDouble(Real48{0x81, 0, 0, 0, 0, 0x80}), -1.0);
    EXPECT_EQ(Real48ToDouble(Real48{0x83, 0, 0, 0, 0, 0x70}), 7.5);
}

TEST(Real48, ZeroExponentMeansZeroWhateverTheRest) {
    EXPECT_EQ(Real48ToDouble(Real48{0, 0xFF, 0x12, 0x34, 0x56, 0xFF}), 0.0);
    EXPECT_EQ(DoubleToReal48(0.0), Real48{});
    EXPECT_EQ(DoubleToReal48(-0.0), Real48{});
    EXPECT_EQ(DoubleToReal48(std::numeric_limits<double>::quiet_NaN()), Real48{});
}

TEST(Real48, ExactValuesRoundTrip) {
    for (double v : {1.0, 2.0, 3.0, 25.0, 37.5, 0.5, 0.25, 1.5, 123456789.0, 1e11, 549755813887.0, 12.75,
                     -1.0, -0.5, -37.5, -1e11, Smallest, Largest, -Largest}) {
        EXPECT_EQ(Real48ToDouble(DoubleToReal48(v)), v) << v;
    }
    for (int i = -5000; i <= 5000; ++i) {
        const double whole = i;
        const double half = i + 0.5;
        ASSERT_EQ(Real48ToDouble(DoubleToReal48(whole)), whole);
        ASSERT_EQ(Real48ToDouble(DoubleToReal48(half)), half);
    }
}

TEST(Real48, EveryRealSurvivesDoubleAndBack) {
    const Real48 samples[] = {
        {0x01, 0, 0, 0, 0, 0},          {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0x9A, 0x12, 0x34, 0x56, 0x78, 0x1A},
        {0x70, 0x01, 0x00, 0x00, 0x00, 0x80}, {0x81, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F},
    };
    for (const Real48& r : samples) EXPECT_EQ(DoubleToReal48(Real48ToDouble(r)), r);
}

TEST(Real48, RoundsToNearestWithTiesToEven) {
    const double ulp = 0x1p-39; // the spacing of Real48 values in [1, 2)
    EXPECT_EQ(Real48ToDouble(DoubleToReal48(1.0 + ulp / 2)), 1.0);              // tie, even stays
    EXPECT_EQ(Real48ToDouble(DoubleToReal48(1.0 + 3 * ulp / 2)), 1.0 + 2 * ulp); // tie, odd goes up
    EXPECT_EQ(Real48ToDouble(DoubleToReal48(1.0 + ulp / 2 + 0x1p-52)), 1.0 + ulp);
    EXPECT_EQ(Real48ToDouble(DoubleToReal48(1.0 + ulp / 2 - 0x1p-52)), 1.0);
    EXPECT_EQ(Real48ToDouble(DoubleToReal48(-(1.0 + 3 * ulp / 2))), -(1.0 + 2 * ulp));
    // 0.1 is not a Real48; its nearest one is within half a step.
    EXPECT_NEAR(Real48ToDouble(DoubleToReal48(0.1)), 0.1, 0x1p-43);
}

TEST(Real48, RoundingCarriesIntoTheExponent) {
    const double justBelowTwo = 2.0 - 0x1p-45;
    EXPECT_EQ(DoubleToReal48(justBelowTwo), (Real48{0x82, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DoubleToReal48(Smallest * (1 - 0x1p-45)), DoubleToReal48(Smallest));
}

TEST(Real48, OutOfRangeMagnitudes) {
    EXPECT_EQ(DoubleToReal48(Smallest / 2), Real48{});
    EXPECT_EQ(DoubleToReal48(-1e-300), Real48{});
    EXPECT_EQ(DoubleToReal48(std::numeric_limits<double>::denorm_min()), Real48{});
    EXPECT_EQ(DoubleToReal48(1e300), (Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(DoubleToReal48(-1e300), (Real48{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(DoubleToReal48(std::numeric_limits<double>::infinity()), DoubleToReal48(Largest));
    EXPECT_EQ(DoubleToReal48(-std::numeric_limits<double>::infinity()), DoubleToReal48(-Largest));
    // Rounding up past the largest value saturates rather than wrapping the exponent.
    EXPECT_EQ(DoubleToReal48(Largest + 0x1p86), DoubleToReal48(Largest));
}

} // namespace
} // namespace zvx
