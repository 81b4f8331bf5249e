#include <gtest/gtest.h>

#include "ui/annotation_band_layout.h"

namespace kalvira::ui {
namespace {

using decode::Annotation;

// Two samples a unit of the picture: decode sample s (record sample s + 1) at x = s / 2 - 100 h.
display::PlotMapping mapping(std::int16_t hscroll) {
    display::PlotMapping m;
    m.samplesPerUnit = 2.0f;
    m.hscrollValue = hscroll;
    m.plotWidth = 500.0f;
    return m;
}

const std::vector<Annotation> kAnnotations{{0, 10, "a", "x", false},
                                           {20, 40, "b", "y", false},
                                           {900, 1100, "a", "z", true},
                                           {30, 50, "c", "w", false},
                                           {60, 70, "d", "v", false}};

TEST(AnnotationBandLayoutTest, LanesAreTheRowsInTheOrderTheyFirstAppearUpToTheLimit) {
    EXPECT_EQ(bandLanes(kAnnotations), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(bandLanes(kAnnotations, 1), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(bandLanes({}).empty());
}

TEST(AnnotationBandLayoutTest, BoxesLieUnderTheirSamplesAndScrollWithTheTrace) {
    const std::vector<std::string> lanes{"a", "b"};
    EXPECT_EQ(bandBoxes(mapping(0), kAnnotations, lanes),
              (std::vector<BandBox>{{0, 0, 5, 0}, {1, 10, 20, 1}, {0, 450, 500, 2}}));
    // One division on: the first two have left the plot, the third is whole.
    EXPECT_EQ(bandBoxes(mapping(1), kAnnotations, lanes), (std::vector<BandBox>{{0, 350, 450, 2}}));
    display::PlotMapping none;  // no time base: nothing is placed
    EXPECT_TRUE(bandBoxes(none, kAnnotations, lanes).empty());
}

TEST(AnnotationBandLayoutTest, DataBytesReadAsHexAndAscii) {
    const std::pair<Annotation, const char *> table[] = {
        {{0, 1, "rx-data", "41", false}, "0x41 'A'"},
        {{0, 1, "tx-data", "7E", false}, "0x7E '~'"},
        {{0, 1, "rx-data", "0A", false}, "0x0A"},
        {{0, 1, "rx-data", "7F", false}, "0x7F"},
        {{0, 1, "rx-data", "Start bit", false}, "Start bit"},
        {{0, 1, "rx-data-bits", "01", false}, "01"},
        {{0, 1, "data", "zz", false}, "zz"},
        {{0, 1, "fields", "Address: 0xAD", false}, "Address: 0xAD"},
    };
    for (const auto &[annotation, text] : table) EXPECT_EQ(bandText(annotation), text) << text;
}

TEST(AnnotationBandLayoutTest, AChosenAnnotationScrollsAQuarterIntoThePlot) {
    // Sample 1000 at 500 units unscrolled; a quarter of 500 before it is 375: 3 divisions.
    EXPECT_EQ(scrollForSample(mapping(0), 1000, 10), 3);
    EXPECT_EQ(scrollForSample(mapping(0), 1000, 2), 2);
    EXPECT_EQ(scrollForSample(mapping(0), 100, 10), 0);
    EXPECT_EQ(scrollForSample(display::PlotMapping{}, 1000, 10), 0);
}

}  // namespace
}  // namespace kalvira::ui
