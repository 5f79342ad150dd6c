// The colour legend's numbers: steps, ticks and label texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "render/legend_ticks.h"

namespace {

std::vector<std::string> labels(double min, double max) {
    const LegendTicks t = ComputeLegendTicks(min, max);
    std::vector<std::string> out;
    for (long i = 0; i <= t.count; ++i) out.push_back(LegendLabel(i * t.step + t.first));
    return out;
}

using Labels = std::vector<std::string>;

TEST(LegendTicks, LabelsOfRanges) {
    struct Case {
        double min, max;
        Labels expected;
    };
    const Case cases[] = {
        {0, 1, {"0", "0.2", "0.4", "0.6", "0.8", "1"}},
        {3, 47, {"5", "10", "15", "20", "25", "30", "35", "40", "45"}},
        {0, 7, {"0", "1", "2", "3", "4", "5", "6", "7"}},
        {0, 100, {"0", "20", "40", "60", "80", "100"}},
        // The natural-log ratio: 1000 gives e 2 and r 10, so a step of 100.
        {0, 1000, {"0", "100", "200", "300", "400", "500", "600", "700", "800", "900", "1000"}},
        // Ticks 0.05 apart keep their two decimals, and the top one is there.
        {0, 0.3, {"0", "0.05", "0.1", "0.15", "0.2", "0.25", "0.3"}},
        {0, 0.12, {"0", "0.02", "0.04", "0.06", "0.08", "0.1", "0.12"}},
        {-1, 1, {"-1", "-0.5", "0", "0.5", "1"}},
        {-0.002, 0, {"-0.002", "-0.0015", "-0.001", "-0.0005", "0"}},
    };
    for (const Case& c : cases) EXPECT_EQ(labels(c.min, c.max), c.expected) << c.min << ".." << c.max;
}

TEST(LegendTicks, StepsOfSpansAtTheEdgesOfTheirDecade) {
    EXPECT_DOUBLE_EQ(LegendStep(44), 5);
    EXPECT_DOUBLE_EQ(LegendStep(1), 0.2);
    EXPECT_DOUBLE_EQ(LegendStep(10), 2);
    EXPECT_DOUBLE_EQ(LegendStep(1e6), 1e5);
    // Spans a few units in the last place from a power of ten still get a step.
    for (const double span : {std::nextafter(1000.0, 0.0), std::nextafter(0.001, 0.0), std::nextafter(1e-5, 1.0),
                              std::nextafter(1e15, 0.0)}) {
        const double step = LegendStep(span);
        EXPECT_GT(step, 0) << span;
        EXPECT_LE(span / step, 11) << span;
        EXPECT_GE(span / step, 1) << span;
    }
    EXPECT_EQ(LegendStep(0), 0);
    EXPECT_EQ(LegendStep(-1), 0);
    EXPECT_EQ(LegendStep(std::numeric_limits<double>::infinity()), 0);
}

TEST(LegendTicks, ZeroSpanWorksOnTheMaximumAlone) {
    double min = 5;
    const LegendTicks t = ComputeLegendTicks(min, 5);
    EXPECT_EQ(min, 0);  // the caller's low moves to 0
    EXPECT_DOUBLE_EQ(t.step, 1);
    EXPECT_EQ(t.count, 5);
    double low = -3;
    EXPECT_EQ(ComputeLegendTicks(low, -3).count, -1);  // no span to work on: no ticks
}

TEST(LegendTicks, DecimalsAndTexts) {
    struct Case {
        double v;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "0"},           {1, 0, "1"},           {0.2, 1, "0.2"},      {0.6000000000000001, 1, "0.6"},
        {0.05, 2, "0.05"},     {0.02, 2, "0.02"},     {0.15, 2, "0.15"},    {0.125, 3, "0.125"},
        {0.00012, 4, "0.0001"}, {1234567, 0, "1234567"}, {-0.5, 1, "-0.5"}, {-1e-9, 0, "0"},
        {0.7 - 0.1, 1, "0.6"}, {2.9999999, 0, "3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelDecimals(c.v), c.decimals) << c.v;
        EXPECT_EQ(LegendLabel(c.v), c.text) << c.v;
    }
}

TEST(LegendTicks, LabelsIgnoreTheLocale) {
    // A locale with a decimal comma and grouping, when the machine has one.
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8")) {
        EXPECT_EQ(LegendLabel(1234.5), "1234.5");
        EXPECT_EQ(LegendLabel(0.25), "0.25");
    }
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(LegendLabel(1234.5), "1234.5");
}

}  // namespace
