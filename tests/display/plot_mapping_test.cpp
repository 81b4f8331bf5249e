#include "display/plot_mapping.h"

#include <gtest/gtest.h>

#include "fake_redraw_host.h"

namespace kalvira::display {
namespace {

// 50 ms a division at 40 kSPS: 2000 samples a division of 100 units, 20 a unit. A picture of
// 704 x 543 has its centre line at 271.5, so counts stand 240 above their y (-240.5 to even).
PlotMapping mappingAt(std::int16_t hscroll, bool halved) {
    testing::FakeRedrawHost host;
    host.scope.timeBase = 6;
    host.scope.rateCode = 0;
    host.scope.scrollDivisions = hscroll;
    host.scope.halfHeight = halved;
    return plotMapping(host, 704.0f, 543.0f);
}

TEST(PlotMapping, PutsSamplesWhereTheTraceHasThem) {
    const PlotMapping plain = mappingAt(0, false), scrolled = mappingAt(1, false);
    EXPECT_EQ(sampleX(plain, 1), 0);
    EXPECT_EQ(sampleX(plain, 2001), 100);
    EXPECT_EQ(sampleX(scrolled, 2001), 0);
    EXPECT_EQ(sampleAtX(plain, 50.0f), 1001);
    EXPECT_EQ(sampleAtX(scrolled, 50.0f), 3001);
    EXPECT_EQ(samplesPerDivision(plain), 2000);
    EXPECT_EQ(visibleSamples(plain, 16000), std::pair(1, 504 * 20 + 1));
    EXPECT_EQ(visibleSamples(plain, 5000), std::pair(1, 5000));
    EXPECT_EQ(visibleSamples(scrolled, 3000), std::pair(2001, 3000));
}

TEST(PlotMapping, PutsLevelsWhereTheTraceHasThemAlsoHalved) {
    const PlotMapping plain = mappingAt(0, false), halved = mappingAt(0, true);
    EXPECT_FLOAT_EQ(levelY(plain, 512), 272.0f);
    EXPECT_FLOAT_EQ(levelY(halved, 512), (272.0f + 271.5f) / 2.0f);
    EXPECT_FLOAT_EQ(levelY(halved, 312), (72.0f + 271.5f) / 2.0f);
    EXPECT_EQ(levelAtY(plain, 272.4f), 512);
    EXPECT_EQ(levelAtY(halved, 171.75f), 312);
    EXPECT_EQ(countsPerDivision(plain), 100);
    EXPECT_EQ(countsPerDivision(halved), 200);
}

}  // namespace
}  // namespace kalvira::display
