#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/number_format.h"

namespace zvx {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(PercentText, RatesBelowOneKeepTheirBlankPaddedAlignment) {
    EXPECT_EQ(PercentText(0.4236), "     42.36 %");
    EXPECT_EQ(PercentText(-0.4236), "    -42.36 %");
    EXPECT_EQ(PercentText(-0.0512), "     - 5.12 %");
    EXPECT_EQ(PercentText(0.0512), "       5.12 %");
    EXPECT_EQ(PercentText(0), "       0.00 %");
    EXPECT_EQ(PercentText(0.1), "     10.00 %");
    EXPECT_EQ(PercentText(0.99994), "     99.99 %");
    // Half away from zero on the decimal value, not on the binary value just below it.
    EXPECT_EQ(PercentText(0.02675), "       2.68 %");
    EXPECT_EQ(PercentText(0.00005), "       0.01 %");
}

TEST(PercentText, OneAndMoreUseTheHundredPercentAlignment) {
    EXPECT_EQ(PercentText(1), "   100.00 %");
    EXPECT_EQ(PercentText(0.99996), "   100.00 %"); // rounds up to 1 at four decimals: no "00.00 %"
    EXPECT_EQ(PercentText(1.5), "   150.00 %");
    EXPECT_EQ(PercentText(1.2345), "   123.45 %");
    EXPECT_EQ(PercentText(-1), "  -100.00 %");
    EXPECT_EQ(PercentText(-1.5), "  -150.00 %");
    EXPECT_EQ(PercentText(12.345), " 1234.50 %");
}

TEST(PercentText, NonFiniteGivesAnEmptyText) {
    EXPECT_EQ(PercentText(NaN), "");
    EXPECT_EQ(PercentText(Inf), "");
    EXPECT_EQ(PercentText(-Inf), "");
}

TEST(FormatNumber, WidthPrecisionAndJustification) {
    EXPECT_EQ(FormatNumber("%-14n", 1234.5), "1,234.50      ");
    EXPECT_EQ(FormatNumber("%-14n", -1234.5), "-1,234.50     ");
    EXPECT_EQ(FormatNumber(" %-14.0n", 1234567), " 1,234,567     ");
    EXPECT_EQ(FormatNumber(" %-6.3n", 1.5), " 1.500 ");
    EXPECT_EQ(FormatNumber(" %-6.3n", -1.5), " -1.500");
    EXPECT_EQ(FormatNumber(" %-4.1n", 3), " 3.0 ");
    EXPECT_EQ(FormatNumber(" %-10.0n", 12), " 12        ");
    EXPECT_EQ(FormatNumber("%14n", 5), "          5.00");
    EXPECT_EQ(FormatNumber("%n", 0), "0.00");
    EXPECT_EQ(FormatNumber("x%.1n%", 2.25), "x2.3%");
}

TEST(FormatNumber, ThousandsSeparators) {
    EXPECT_EQ(GroupedNumber(100, 0), "100");
    EXPECT_EQ(GroupedNumber(1000, 0), "1,000");
    EXPECT_EQ(GroupedNumber(999999, 0), "999,999");
    EXPECT_EQ(GroupedNumber(1000000, 0), "1,000,000");
    EXPECT_EQ(GroupedNumber(-12345678.9, 1), "-12,345,678.9");
    EXPECT_EQ(GroupedNumber(999.995, 2), "1,000.00"); // the carry makes a new group
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(GroupedNumber(2.675, 2), "2.68");
    EXPECT_EQ(GroupedNumber(1.005, 2), "1.01");
    EXPECT_EQ(GroupedNumber(0.5, 0), "1");
    EXPECT_EQ(GroupedNumber(2.5, 0), "3");
    EXPECT_EQ(GroupedNumber(-2.5, 0), "-3");
    EXPECT_EQ(GroupedNumber(0.0005, 3), "0.001");
    EXPECT_EQ(GroupedNumber(0.0004, 3), "0.000");
    EXPECT_EQ(GroupedNumber(-0.001, 2), "0.00"); // no minus on a value that rounds to zero
    EXPECT_EQ(GroupedNumber(1e-30, 2), "0.00");
}

TEST(FormatNumber, CutToSixteenCharactersWithTheFormatsLiteralText) {
    EXPECT_EQ(FormatNumber("%-14n", 123456789012.0), "123,456,789,012.");
    EXPECT_EQ(FormatNumber(" %-14.0n", 1e15), " 1,000,000,000,0");
    EXPECT_EQ(FormatNumber(" %-14.0n", 1e300).size(), 16u);
}

TEST(FormatNumber, NonFiniteGivesAnEmptyText) {
    EXPECT_EQ(FormatNumber(" %-14.0n", NaN), "");
    EXPECT_EQ(FormatNumber("%-14n", Inf), "");
    EXPECT_EQ(MoneyText(NaN), "");
    EXPECT_EQ(MoneyText(-Inf), "");
}

TEST(MoneyText, PrefixDependsOnTheAmountAndTheTextIsCutTo16) {
    EXPECT_EQ(MoneyText(5), "$     5.00      ");
    EXPECT_EQ(MoneyText(0), "$     0.00      ");
    EXPECT_EQ(MoneyText(9.99), "$     9.99      ");
    EXPECT_EQ(MoneyText(10), "$   10.00       ");
    EXPECT_EQ(MoneyText(1234.5), "$   1,234.50    ");
    EXPECT_EQ(MoneyText(-0.01), "$    -0.01      ");
    EXPECT_EQ(MoneyText(-5), "$    -5.00      ");
    EXPECT_EQ(MoneyText(-9.99), "$    -9.99      ");
    EXPECT_EQ(MoneyText(-10), "$  -10.00       ");
    EXPECT_EQ(MoneyText(-125), "$  -125.00      ");
    EXPECT_EQ(MoneyText(-0.004), "$     0.00      ");
}

} // namespace
} // namespace zvx
