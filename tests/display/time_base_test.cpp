#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/plain_number.h"
#include "display/recording_surface.h"
#include "display/redraw.h"
#include "display/time_base.h"
#include "fake_redraw_host.h"
#include "surface_calls.h"

namespace kalvira::display {
namespace {

using testing::FakeRedrawHost;

// The labels of one redraw at the initial window size (plot width 504: lines at x = 1 to 501),
// as the text a user reads: number in its printed form, then the unit.
std::vector<std::string> labelsOf(FakeRedrawHost &host) {
    RecordingSurface surface(704.0f, 543.0f);
    Koord_rendszer_rajzolasa(host, surface);
    std::vector<std::string> labels;
    for (const SurfaceCall &call : testing::printsOf(surface.calls())) {
        labels.push_back(formatPlainNumber(call.number) + call.text);
    }
    return labels;
}

struct LabelCase {
    int timeOption;
    std::int16_t hscroll;
    std::vector<std::string> labels;
};

class TimeLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(TimeLabelTest, EachVerticalLineShowsItsTime) {
    FakeRedrawHost host;
    host.timeOption = GetParam().timeOption;
    host.hscroll.value = GetParam().hscroll;
    EXPECT_EQ(labelsOf(host), GetParam().labels);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTimeBase, TimeLabelTest,
    ::testing::Values(
        LabelCase{0, 0, {" 0 msec", " 5 sec", " 10 sec", " 15 sec", " 20 sec", " 25 sec"}},
        LabelCase{1, 0, {" 0 msec", " 2 sec", " 4 sec", " 6 sec", " 8 sec", " 10 sec"}},
        LabelCase{2, 0, {" 0 msec", " 1 sec", " 2 sec", " 3 sec", " 4 sec", " 5 sec"}},
        LabelCase{3, 0, {" 0 msec", " 500 msec", " 1 sec", " 1,5 sec", " 2 sec", " 2,5 sec"}},
        // Line 3 of "0,2sec/Div." is 600 in single precision, nothing more.
        LabelCase{4, 0, {" 0 msec", " 200 msec", " 400 msec", " 600 msec", " 800 msec", " 1 sec"}},
        LabelCase{
            5, 0, {" 0 msec", " 100 msec", " 200 msec", " 300 msec", " 400 msec", " 500 msec"}},
        LabelCase{
            6, 0, {" 0 msec", " 50 msec", " 100 msec", " 150 msec", " 200 msec", " 250 msec"}},
        LabelCase{7, 0, {" 0 msec", " 25 msec", " 50 msec", " 75 msec", " 100 msec", " 125 msec"}},
        // 5 x 0.02 s must not read 99,99999.
        LabelCase{8, 0, {" 0 msec", " 20 msec", " 40 msec", " 60 msec", " 80 msec", " 100 msec"}},
        LabelCase{9, 0, {" 0 msec", " 10 msec", " 20 msec", " 30 msec", " 40 msec", " 50 msec"}},
        LabelCase{10, 0, {" 0 msec", " 5 msec", " 10 msec", " 15 msec", " 20 msec", " 25 msec"}},
        LabelCase{
            11, 0, {" 0 msec", " 2,5 msec", " 5 msec", " 7,5 msec", " 10 msec", " 12,5 msec"}},
        LabelCase{12, 0, {" 0 msec", " 2 msec", " 4 msec", " 6 msec", " 8 msec", " 10 msec"}},
        LabelCase{13, 0, {" 0 msec", " 1 msec", " 2 msec", " 3 msec", " 4 msec", " 5 msec"}}));

INSTANTIATE_TEST_SUITE_P(
    Scrolled, TimeLabelTest,
    ::testing::Values(
        LabelCase{
            11, 4, {" 10 msec", " 12,5 msec", " 15 msec", " 17,5 msec", " 20 msec", " 22,5 msec"}},
        LabelCase{13, 3, {" 3 msec", " 4 msec", " 5 msec", " 6 msec", " 7 msec", " 8 msec"}},
        // 1000 msec is shown as 1 sec, and the single-precision 0.001 (a little above a
        // thousandth) never shows in the last digit.
        LabelCase{
            13, 995, {" 995 msec", " 996 msec", " 997 msec", " 998 msec", " 999 msec", " 1 sec"}},
        LabelCase{5,
                  31000,
                  {" 3100 sec", " 3100,1 sec", " 3100,2 sec", " 3100,3 sec", " 3100,4 sec",
                   " 3100,5 sec"}},
        LabelCase{0, 2, {" 10 sec", " 15 sec", " 20 sec", " 25 sec", " 30 sec", " 35 sec"}}));

TEST(TimeLabel, PrintsNumberAndUnitOnceAtTheTopOfEachLine) {
    FakeRedrawHost host;
    host.timeOption = 11;  // "2,5msec/Div"
    host.hscroll.value = 4;
    RecordingSurface surface(704.0f, 543.0f);
    Koord_rendszer_rajzolasa(host, surface);

    const std::vector<SurfaceCall> &calls = surface.calls();
    std::vector<float> labelXs;
    for (std::size_t k = 0; k < calls.size(); ++k) {
        if (calls[k].kind != SurfaceCall::Kind::Print) continue;
        ASSERT_GT(k, 0u);
        // The point just before the print places the text's top-left corner.
        ASSERT_EQ(calls[k - 1].kind, SurfaceCall::Kind::Point);
        EXPECT_EQ(calls[k - 1].y1, 0.0f);
        labelXs.push_back(calls[k - 1].x1);
        EXPECT_EQ(calls[k].text, "msec");
    }
    EXPECT_EQ(labelXs, (std::vector<float>{1, 101, 201, 301, 401, 501}));
}

TEST(TimeLabel, WithNoTimeBaseSelectedEveryLabelIsZero) {
    FakeRedrawHost host;
    host.timeOption = -1;
    EXPECT_EQ(labelsOf(host), std::vector<std::string>(6, " 0 msec"));
}

// A window that runs SampleScroll_Change as the real one does: it discards the record and
// redraws, nested in the change.
struct LimitWindow {
    FakeRedrawHost host;
    RecordingSurface surface{704.0f, 543.0f};
    std::string samplesText;
    int redraws = 0;

    LimitWindow(int timeOption, int sampleRate, std::int16_t sampleScroll) {
        host.timeOption = timeOption;
        host.sampleRate = sampleRate;
        host.sampleScroll.value = sampleScroll;
        host.meresVegeFlag = -1;
        host.onSampleScrollChange = [this] {
            samplesText = std::to_string(host.sampleScroll.value * 100);
            host.meresVegeFlag = 0;
            redraw();
        };
    }
    void redraw() {
        ++redraws;
        Koord_rendszer_rajzolasa(host, surface);
    }
};

struct LimitCase {
    int timeOption;
    int sampleRate;
    std::int16_t before;
    std::int16_t after;
};

class RecordLengthLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(RecordLengthLimitTest, HoldsTheSlowestCombinations) {
    const LimitCase &c = GetParam();
    LimitWindow window(c.timeOption, c.sampleRate, c.before);
    window.redraw();

    EXPECT_EQ(window.host.sampleScroll.value, c.after);
    if (c.after == c.before) {
        EXPECT_EQ(window.redraws, 1);
        EXPECT_EQ(window.host.meresVegeFlag, -1);
        EXPECT_EQ(window.samplesText, "");
    } else {
        // The change handler ran once, nested, and the nested redraw found nothing to limit.
        EXPECT_EQ(window.redraws, 2);
        EXPECT_EQ(window.host.meresVegeFlag, 0);
        EXPECT_EQ(window.samplesText, std::to_string(c.after * 100));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RecordLengthLimitTest,
    ::testing::Values(LimitCase{13, 7, 100, 64},   // "1msec/Div.", "5msec/ 200SPS": 6400
                      LimitCase{13, 7, 160, 64},   //
                      LimitCase{13, 7, 65, 64},    //
                      LimitCase{13, 7, 64, 64},    // strictly greater only
                      LimitCase{12, 7, 100, 100},  // "2msec/Div." holds 12800
                      LimitCase{12, 7, 129, 128},  //
                      LimitCase{12, 7, 160, 128},  //
                      LimitCase{12, 7, 128, 128},  //
                      LimitCase{13, 6, 160, 160},  // other sample rates: no limit
                      LimitCase{13, 0, 160, 160},  //
                      LimitCase{12, 6, 160, 160},  //
                      LimitCase{11, 7, 160, 160},  // other time bases: no limit
                      LimitCase{0, 7, 160, 160}));

TEST(RecordLengthLimit, TheOuterRedrawPlotsNoRecordAfterTheLimit) {
    LimitWindow window(13, 7, 100);
    window.host.record.fill(600);
    window.redraw();

    const std::vector<SurfaceCall> &calls = window.surface.calls();
    EXPECT_TRUE(testing::callsOf(calls, SurfaceCall::Kind::Line, kTraceColour).empty());
    EXPECT_TRUE(testing::callsOf(calls, SurfaceCall::Kind::Point, kTraceColour).empty());
    EXPECT_EQ(window.host.log,
              (std::vector<std::string>{"SampleScroll.value 64", "SampleScroll changed"}));
}

TEST(RecordLengthLimit, EachRuleReadsTheBarAfresh) {
    // The first rule's change handler moves the bar again; the second rule sees the new value.
    FakeRedrawHost host;
    host.timeOption = 13;
    host.sampleRate = 7;
    host.sampleScroll.value = 100;
    host.onSampleScrollChange = [&host] {
        host.timeOption = 12;
        if (host.sampleScroll.value == 64) host.sampleScroll.value = 150;
    };
    applyRecordLengthLimits(host);
    EXPECT_EQ(host.sampleScroll.value, 128);
}

TEST(ScaleSelection, TakesTheFactorsOfTheSelectedMembers) {
    FakeRedrawHost host;
    host.timeOption = 11;
    host.sampleRate = 3;
    const Scales scales = selectScales(host);
    EXPECT_EQ(scales.timeScale, 0.0025f);
    EXPECT_EQ(scales.rateScale, 50.0f);

    host.timeOption = -1;
    host.sampleRate = -1;
    EXPECT_EQ(selectScales(host).timeScale, 0.0f);
    EXPECT_EQ(selectScales(host).rateScale, 0.0f);
}

}  // namespace
}  // namespace kalvira::display
