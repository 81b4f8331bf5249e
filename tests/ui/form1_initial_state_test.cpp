#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTimer>

#include "acquisition/qt_serial_port.h"
#include "display/image_surface.h"
#include "ui/form1.h"
#include "ui/option_button.h"

namespace kalvira::ui {
namespace {

class Form1AtStart : public ::testing::Test {
protected:
    Form1 form;
};

TEST_F(Form1AtStart, WindowHasTheDesignClientAreaAndCaption) {
    EXPECT_EQ(form.windowTitle(), "KALVIRA");
    EXPECT_EQ(form.size(), QSize(704, 543));
    EXPECT_EQ(form.surface().image().size(), QSize(704, 543));
    ASSERT_TRUE(QFile::exists(":/kalvira/kalvira.svg"));
    const QImage icon = form.windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_NE(icon.pixel(16, 16), icon.pixel(0, 0));  // something is drawn
}

// All start at 0; the first redraw (on load) has already set the two it computes.
TEST_F(Form1AtStart, FormLevelIntegersStartAtZeroButWhatTheFirstRedrawComputes) {
    EXPECT_EQ(form.StopGombLenyomva, 0);
    EXPECT_EQ(form.MeresVege, 0);
    EXPECT_EQ(form.TizedSec, 0);
    EXPECT_EQ(form.triglevel, 400);             // 100 * 4
    EXPECT_EQ(form.KoordinataKorrekcio, -240);  // 543 / 2 - 512 = -240.5, ties to even
}

struct OptionExpectation {
    const char *group;
    int index;
    const char *caption;
    QRect place;
    bool selected;
};

const OptionGroup &groupNamed(const Form1 &form, const std::string &name) {
    if (name == "LineStyleOption") return form.LineStyleOption;
    if (name == "TrigEdge") return form.TrigEdge;
    if (name == "Com1") return form.Com1;
    if (name == "TimeOption") return form.TimeOption;
    if (name == "SampleRate") return form.SampleRate;
    return form.trigger;
}

TEST_F(Form1AtStart, OptionButtonsHaveTheirCaptionsPlacesAndSelection) {
    std::vector<OptionExpectation> expected = {
        {"LineStyleOption", 0, "Line", {8, 16, 65, 17}, true},
        {"LineStyleOption", 1, "Dot", {56, 16, 65, 17}, false},
        {"TrigEdge", 0, "Fall", {48, 16, 49, 17}, true},
        {"TrigEdge", 1, "Rise", {48, 32, 49, 17}, false},
        {"Com1", 0, "COM1", {8, 16, 81, 17}, true},
        {"Com1", 1, "COM2", {8, 32, 81, 17}, false},
    };
    const char *times[] = {"5sec/Div.",   "2sec/Div.",   "1sec/Div.",   "0,5sec/Div.",
                           "0,2sec/Div.", "0,1sec/Div.", "50msec/Div.", "25msec/Div.",
                           "20msec/Div.", "10msec/Div.", "5msec/Div",   "2,5msec/Div",
                           "2msec/Div.",  "1msec/Div."};
    for (int i = 0; i < 14; ++i) {
        expected.push_back({"TimeOption", i, times[i], {8, 16 + 16 * i, 81, 17}, i == 0});
    }
    const char *rates[] = {"25usec/ 40kSPS", "50usec/ 20kSPS", "100usec/ 10kSPS", "200usec/ 5kSPS",
                           "500usec/ 2kSPS", "1msec/ 1kSPS",   "2msec/ 500SPS",   "5msec/ 200SPS"};
    for (int i = 0; i < 8; ++i) {
        expected.push_back({"SampleRate", i, rates[i], {8, 16 + 32 * i, 73, 25}, i == 0});
    }
    const char *triggers[] = {"Ext./Single", "Ext./Cont.", "Trig./Single", "Trig./Cont."};
    for (int i = 0; i < 4; ++i) {
        expected.push_back({"trigger", i, triggers[i], {8, 16 + 16 * i, 81, 17}, i == 0});
    }
    for (const auto &e : expected) {
        const OptionGroup &group = groupNamed(form, e.group);
        SCOPED_TRACE(std::string(e.group) + " " + std::to_string(e.index));
        EXPECT_EQ(group[e.index]->text(), QString::fromUtf8(e.caption));
        EXPECT_EQ(group[e.index]->geometry(), e.place);
        EXPECT_EQ(group[e.index]->isChecked(), e.selected);
        EXPECT_TRUE(group[e.index]->isEnabled());
    }
    EXPECT_EQ(form.TimeOption.size(), 14);
    EXPECT_EQ(form.SampleRate.size(), 8);
    EXPECT_EQ(form.trigger.size(), 4);
}

TEST_F(Form1AtStart, FramesHaveTheirCaptionsAndSizes) {
    struct Frame {
        QGroupBox *frame;
        const char *caption;
        QSize size;
        QWidget *parent;
    };
    const Frame frames[] = {
        {form.VoltsPerDiv, "Volts/Div", {89, 33}, &form},
        {form.LineStyle, "LineStyle", {105, 33}, &form},
        {form.TrigLevelFrame, "Trigger level", {97, 121}, &form},
        {form.ComFrame, "Comm port", {97, 57}, &form},
        {form.TimeFrame, "Time", {97, 241}, &form},
        {form.Samples, "Samples", {97, 65}, &form},
        {form.SampleTime, "SampleTime/Freq.", {97, 273}, &form},
        {form.trig_frame, "Trigger", {97, 81}, &form},
        {form.Frame1, "Frame1", {89, 1}, form.ComFrame},
    };
    for (const auto &f : frames) {
        EXPECT_EQ(f.frame->title(), QString::fromUtf8(f.caption));
        EXPECT_EQ(f.frame->size(), f.size) << f.caption;
        EXPECT_EQ(f.frame->parentWidget(), f.parent) << f.caption;
    }
    EXPECT_EQ(form.Frame1->pos(), QPoint(0, 56));
}

TEST_F(Form1AtStart, ScrollBarsHaveTheirRangesStepsAndValues) {
    struct Bar {
        QScrollBar *bar;
        Qt::Orientation orientation;
        int minimum, maximum, small, large, value;
        bool enabled;
        QSize size;
    };
    const Bar bars[] = {
        {form.Hscroll, Qt::Horizontal, 0, 16000, 1, 1, 0, false, {193, 17}},
        {form.SampleScroll, Qt::Horizontal, 1, 160, 1, 10, 50, true, {97, 17}},
        {form.TrigLevelScroll, Qt::Vertical, 1, 254, 1, 10, 100, true, {25, 97}},
    };
    for (const auto &b : bars) {
        SCOPED_TRACE(b.bar->objectName().toStdString());
        EXPECT_EQ(b.bar->orientation(), b.orientation);
        EXPECT_EQ(b.bar->minimum(), b.minimum);
        EXPECT_EQ(b.bar->maximum(), b.maximum);
        EXPECT_EQ(b.bar->singleStep(), b.small);
        EXPECT_EQ(b.bar->pageStep(), b.large);
        EXPECT_EQ(b.bar->value(), b.value);
        EXPECT_EQ(b.bar->isEnabled(), b.enabled);
        EXPECT_EQ(b.bar->size(), b.size);
        // The change is raised when a dragged thumb is let go.
        EXPECT_FALSE(b.bar->hasTracking());
    }
    EXPECT_EQ(form.SampleScroll->pos(), QPoint(0, 40));
    EXPECT_EQ(form.TrigLevelScroll->pos(), QPoint(8, 16));
}

TEST_F(Form1AtStart, CheckBoxesTextBoxButtonsTimerAndPort) {
    EXPECT_EQ(form.VoltsPerDiv2->text(), "V/Div 1:2");
    EXPECT_FALSE(form.VoltsPerDiv2->isChecked());
    EXPECT_EQ(form.VoltsPerDiv2->geometry(), QRect(8, 16, 97, 17));
    EXPECT_EQ(form.TrigVisible->text(), "Visible");
    EXPECT_FALSE(form.TrigVisible->isChecked());
    EXPECT_EQ(form.TrigVisible->geometry(), QRect(48, 48, 65, 25));

    EXPECT_EQ(form.SamplesText->text(), "5000");
    EXPECT_FALSE(form.SamplesText->isEnabled());
    EXPECT_EQ(form.SamplesText->geometry(), QRect(8, 16, 81, 19));

    EXPECT_EQ(form.stp->text(), "STOP");
    EXPECT_EQ(form.start->text(), "START");
    EXPECT_EQ(form.Kilepes->text(), QString::fromUtf8("Kilépés"));
    for (QPushButton *button : {form.stp, form.start, form.Kilepes}) {
        EXPECT_EQ(button->size(), QSize(81, 33));
        EXPECT_TRUE(button->isEnabled());
    }

    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 100);
    EXPECT_FALSE(form.MSComm1->PortOpen());
}

TEST_F(Form1AtStart, PlacedControlsStandAgainstTheRightAndBottomEdges) {
    EXPECT_EQ(form.Kilepes->pos(), QPoint(604, 503));
    EXPECT_EQ(form.start->pos(), QPoint(504, 503));
    EXPECT_EQ(form.stp->pos(), QPoint(404, 503));
    EXPECT_EQ(form.trig_frame->pos(), QPoint(607, 0));
    EXPECT_EQ(form.SampleTime->pos(), QPoint(607, 81));
    EXPECT_EQ(form.Samples->pos(), QPoint(607, 354));
    EXPECT_EQ(form.TimeFrame->pos(), QPoint(510, 0));
    EXPECT_EQ(form.ComFrame->pos(), QPoint(510, 241));
    EXPECT_EQ(form.TrigLevelFrame->pos(), QPoint(510, 298));
    // These three keep their design tops.
    EXPECT_EQ(form.Hscroll->pos(), QPoint(511, 416));
    EXPECT_EQ(form.LineStyle->pos(), QPoint(510, 432));
    EXPECT_EQ(form.VoltsPerDiv->pos(), QPoint(615, 432));
}

TEST_F(Form1AtStart, TabOrderFollowsTheDesignAndTheExitButtonHoldsTheFocus) {
    // The frames in the design order take no focus and so do not appear.
    std::vector<QWidget *> expected = {form.Kilepes, form.start, form.stp};
    for (int i = 0; i <= 3; ++i) expected.push_back(form.trigger[i]);
    for (int i = 0; i <= 7; ++i) expected.push_back(form.SampleRate[i]);
    expected.insert(expected.end(), {form.SampleScroll, form.SamplesText});
    for (int i = 0; i <= 10; ++i) expected.push_back(form.TimeOption[i]);
    expected.insert(
        expected.end(),
        {form.Com1[0], form.Com1[1], form.TrigLevelScroll, form.TrigVisible, form.TrigEdge[0],
         form.TrigEdge[1], form.Hscroll, form.LineStyleOption[0], form.LineStyleOption[1]});
    for (int i = 11; i <= 13; ++i) expected.push_back(form.TimeOption[i]);
    expected.push_back(form.VoltsPerDiv2);

    std::vector<QWidget *> chain;
    QWidget *w = form.Kilepes;
    for (std::size_t k = 0; k < 200 && chain.size() < expected.size();
         ++k, w = w->nextInFocusChain()) {
        if (std::find(expected.begin(), expected.end(), w) != expected.end()) chain.push_back(w);
    }
    EXPECT_EQ(chain, expected);

    form.show();
    form.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), form.Kilepes);
    for (QGroupBox *frame : form.findChildren<QGroupBox *>()) {
        EXPECT_EQ(frame->focusPolicy(), Qt::NoFocus);
    }
}

// Every caption must be readable whole at the design sizes: nothing cut off sideways or below.
TEST_F(Form1AtStart, EveryCaptionFitsItsControl) {
    const QFontMetrics metrics(form.font());
    QStyle *style = form.style();
    for (OptionButton *button : form.findChildren<OptionButton *>()) {
        const QStringList lines = button->displayText().split('\n');
        int widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const int needed = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button) +
                           widest;
        EXPECT_LE(needed, button->width()) << button->text().toStdString();
        EXPECT_LE(lines.size() * metrics.height(), button->height())
            << button->text().toStdString();
    }
    // The sample-rate captions break after the slash, onto two lines.
    EXPECT_EQ(form.SampleRate[2]->displayText(), "100usec/\n10kSPS");
    for (QCheckBox *box : {form.VoltsPerDiv2, form.TrigVisible}) {
        // The frame clips the box at its inner edge.
        const int visible = box->parentWidget()->width() - box->x();
        const int needed = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box) +
                           metrics.horizontalAdvance(box->text());
        EXPECT_LE(needed, std::min(visible, box->width())) << box->text().toStdString();
    }
    for (QGroupBox *frame : form.findChildren<QGroupBox *>()) {
        if (frame == form.Frame1) continue;  // one pixel high: its caption is never seen
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect label =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        EXPECT_GE(label.width(), metrics.horizontalAdvance(frame->title()))
            << frame->title().toStdString();
        EXPECT_LE(label.right(), frame->width()) << frame->title().toStdString();
    }
}

}  // namespace
}  // namespace kalvira::ui
