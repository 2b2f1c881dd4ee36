#include "report/bit_rate_estimates.h"
#include "report/header_block.h"

#include <gtest/gtest.h>

namespace morvatix {
namespace {

TEST(CanBitTiming, WorkedExamples)
{
    struct Case {
        std::int32_t setting;
        std::uint32_t clockDivider;
        std::uint32_t quantaPerBit;
        std::uint32_t achievedRate;
        std::int32_t deviation;
        const char* text;
    };
    const Case cases[] = {
        {500000, 1, 80, 5000000, 0, "(500000.0 bps  0.000 %)"},
        {125000, 2, 160, 1250000, 0, "(125000.0 bps  0.000 %)"},
        {83333, 2, 240, 833333, 0, "(83333.3 bps  0.000 %)"},
        {33333, 8, 150, 333333, 1, "(33333.3 bps  +0.001 %)"},
        {12345, 24, 135, 123457, 6, "(12345.7 bps  +0.006 %)"},
        {900000, 1, 44, 9090909, 1010, "(909090.9 bps  +1.010 %)"},
        {600000, 1, 67, 5970149, -497, "(597014.9 bps  -0.497 %)"},
        {136500, 2, 147, 1360544, -325, "(136054.4 bps  -0.325 %)"},
        {10002, 15, 267, 99875, -144, "(9987.5 bps  -0.144 %)"},
        {0, 320000, 125, 10, 0, "(1.0 bps  0.000 %)"},
        {-5, 320000, 125, 10, 0, "(1.0 bps  0.000 %)"},
        {11428571, 1, 4, 100000000, -12499, "(10000000.0 bps  -12.499 %)"},
        {36, 3941, 282, 360, 0, "(36.0 bps  0.000 %)"},
        {47, 3024, 281, 471, 213, "(47.1 bps  +0.213 %)"},
        {14493, 24, 115, 144928, 0, "(14492.8 bps  0.000 %)"},
        // Beyond the clock: four quanta, the fewest a bit can have.
        {11428572, 1, 4, 100000000, -12499, "(10000000.0 bps  -12.499 %)"},
        {80000001, 1, 4, 100000000, -87499, "(10000000.0 bps  -87.499 %)"},
        {2147483647, 1, 4, 100000000, -99533, "(10000000.0 bps  -99.533 %)"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.setting);
        const CanBitTiming timing = estimateCanBitTiming(each.setting);
        EXPECT_EQ(timing.clockDivider, each.clockDivider);
        EXPECT_EQ(timing.quantaPerBit, each.quantaPerBit);
        EXPECT_EQ(timing.achievedRate, each.achievedRate);
        EXPECT_EQ(timing.deviation, each.deviation);
        EXPECT_EQ(canEstimateText(each.setting), each.text);
    }
}

TEST(LinBitRate, WorkedExamples)
{
    struct Case {
        std::int32_t setting;
        std::uint32_t divider;
        bool fastClock;
        std::int64_t achievedRate;
        std::int32_t deviation;
        const char* text;
    };
    const Case cases[] = {
        {192000, 48, false, 19200000, 0, "(19200.000 bps  0.000 %)"},
        {96000, 96, false, 9600000, 0, "(9600.000 bps  0.000 %)"},
        {100000, 625, true, 10000000, 0, "(10000.000 bps  0.000 %)"},
        {104000, 601, true, 10399334, -5, "(10399.334 bps  -0.005 %)"},
        {200000, 313, true, 19968051, -159, "(19968.051 bps  -0.159 %)"},
        {123456, 506, true, 12351779, 50, "(12351.779 bps  +0.050 %)"},
        {4000, 2304, false, 400000, 0, "(400.000 bps  0.000 %)"},
        {260000, 240, true, 26041667, 160, "(26041.667 bps  +0.160 %)"},
        {192005, 48, false, 19200000, -2, "(19200.000 bps  -0.002 %)"},
        {191999, 48, false, 19200000, 1, "(19200.000 bps  +0.001 %)"},
        {2000000, 240, true, 26041667, -86978, "(26041.667 bps  -86.978 %)"},
        {1, 2304, false, 400000, 399900000, "(400.000 bps  +399900.000 %)"},
        {250000, 250, true, 25000000, 0, "(25000.000 bps  0.000 %)"},
        {192001, 48, false, 19200000, 0, "(19200.000 bps  0.000 %)"},
        {192003, 48, false, 19200000, -1, "(19200.000 bps  -0.001 %)"},
        {-1, 2304, false, 400000, -400099999, "(400.000 bps  -400099.999 %)"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.setting);
        const LinBitRate rate = estimateLinBitRate(each.setting);
        EXPECT_EQ(rate.divider, each.divider);
        EXPECT_EQ(rate.fastClock, each.fastClock);
        EXPECT_EQ(rate.achievedRate, each.achievedRate);
        EXPECT_TRUE(rate.deviationDefined);
        EXPECT_EQ(rate.deviation, each.deviation);
        EXPECT_EQ(linEstimateText(each.setting), each.text);
    }
}

TEST(LinBitRate, ZeroSettingHasNoDeviation)
{
    const LinBitRate rate = estimateLinBitRate(0);
    EXPECT_EQ(rate.achievedRate, 400000);
    EXPECT_FALSE(rate.deviationDefined);
    EXPECT_EQ(linEstimateText(0), "(400.000 bps  n/a)");
}

TEST(FormatDeviation, Texts)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0.000 %"},          {1, "+0.001 %"},       {-1, "-0.001 %"},
        {-5, "-0.005 %"},        {160, "+0.160 %"},     {-497, "-0.497 %"},
        {1010, "+1.010 %"},      {399900000, "+399900.000 %"},
        {INT32_MIN, "-2147483.648 %"},
    };
    for (const auto& [deviation, text] : cases) {
        EXPECT_EQ(formatDeviation(deviation), text) << deviation;
    }
}

// Every setting stays inside what the estimates can compute and the header can show.
TEST(BitRateEstimates, HoldOverAWideSweepOfSettings)
{
    std::vector<std::int32_t> canSettings = {INT32_MIN, -1, 0, 1, 2, 11'428'571, 11'428'572, 80'000'000, 80'000'001,
                                             INT32_MAX};
    for (std::int32_t setting = -10; setting <= 12'000'000; setting += setting < 100'000 ? 7 : 997) {
        canSettings.push_back(setting);
    }
    for (const std::int32_t setting : canSettings) {
        const CanBitTiming timing = estimateCanBitTiming(setting);
        ASSERT_GE(timing.quantaPerBit, 4u) << setting;
        ASSERT_LE(timing.quantaPerBit, 282u) << setting;
        ASSERT_GE(timing.clockDivider, 1u) << setting;
        ASSERT_LE(canEstimateText(setting).size(), 28u) << setting;
    }

    std::vector<std::int32_t> linSettings = {INT32_MIN, -1, 0, 1, 3'999, 4'000, 260'000, 260'001, INT32_MAX};
    for (std::int32_t setting = -10; setting <= 2'600'010; setting += 13) {
        linSettings.push_back(setting);
    }
    for (const std::int32_t setting : linSettings) {
        const LinBitRate rate = estimateLinBitRate(setting);
        ASSERT_GE(rate.divider, 35u) << setting;
        ASSERT_LE(rate.divider, 15'625u) << setting;
        ASSERT_EQ(rate.deviationDefined, setting != 0);
        ASSERT_LE(linEstimateText(setting).size(), 28u) << setting;
    }
}

}  // namespace
}  // namespace morvatix
