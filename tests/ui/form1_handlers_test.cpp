#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "acquisition/qt_serial_port.h"
#include "display/image_surface.h"
#include "ui/form1.h"
#include "ui/option_button.h"

namespace kalvira::ui {
namespace {

class Form1Handlers : public ::testing::Test {
protected:
    QImage picture() const { return form.surface().image().copy(); }

    // Puts a complete record into the window as a finished acquisition would.
    void loadRecord(int blocks) {
        form.SampleScroll->setValue(blocks);
        for (int k = 1; k <= blocks * 100; ++k) {
            form.SampleData[static_cast<size_t>(k)] =
                static_cast<std::int16_t>(512 + (k % 200) - 100);
        }
        form.MeresVege = -1;
    }

    Form1 form;
};

TEST_F(Form1Handlers, RecordLengthBarWritesTheTextAndDiscardsTheRecord) {
    form.MeresVege = -1;
    form.SampleScroll->setValue(7);
    EXPECT_EQ(form.SamplesText->text(), "700");
    EXPECT_EQ(form.MeresVege, 0);

    form.SampleScroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(form.SamplesText->text(), "800");
    form.SampleScroll->setValue(160);
    EXPECT_EQ(form.SamplesText->text(), "16000");
    form.SampleScroll->setValue(0);  // below the range: held at 1
    EXPECT_EQ(form.SamplesText->text(), "100");
}

TEST_F(Form1Handlers, DraggingTheThumbRaisesTheChangeOnlyWhenLetGo) {
    form.SampleScroll->setSliderDown(true);
    form.SampleScroll->setSliderPosition(80);
    EXPECT_EQ(form.SamplesText->text(), "5000");
    form.SampleScroll->setSliderDown(false);
    EXPECT_EQ(form.SamplesText->text(), "8000");
}

TEST_F(Form1Handlers, ChoosingASampleRateDiscardsTheRecordButATimeBaseKeepsIt) {
    loadRecord(50);
    form.TimeOption[3]->setChecked(true);
    EXPECT_EQ(form.MeresVege, -1);
    form.SampleRate[3]->setChecked(true);
    EXPECT_EQ(form.MeresVege, 0);
}

TEST_F(Form1Handlers, StopSetsTheStopRequestAndDrawsNothing) {
    const QImage before = picture();
    QTest::mouseClick(form.stp, Qt::LeftButton);
    EXPECT_EQ(form.StopGombLenyomva, -1);
    EXPECT_EQ(picture(), before);
}

TEST_F(Form1Handlers, TimerCountsDownToZeroAndNoFurther) {
    form.TizedSec = 2;
    form.Timer1_Timer();
    EXPECT_EQ(form.TizedSec, 1);
    form.Timer1_Timer();
    EXPECT_EQ(form.TizedSec, 0);
    form.Timer1_Timer();
    EXPECT_EQ(form.TizedSec, 0);

    // The real timer's ticks reach the same handler.
    form.TizedSec = 2;
    form.Timer1->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.TizedSec == 0; }, 5000));
    QTest::qWait(250);
    EXPECT_EQ(form.TizedSec, 0);
}

TEST_F(Form1Handlers, OptionGroupsReactToTheKeyboard) {
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.TimeOption[0]->setFocus();
    const QImage before = picture();
    QTest::keyClick(form.TimeOption[0], Qt::Key_Down);
    EXPECT_EQ(form.TimeOption.selectedIndex(), 1);
    EXPECT_NE(picture(), before);  // the time labels now read 2 sec per division
}

TEST_F(Form1Handlers, ClickingDotChoosesDotAlthoughLineReachesUnderIt) {
    form.show();
    // The indicator of "Dot" lies inside the design rectangle of "Line" (8..73).
    const QPoint onDotIndicator(60, 24);
    QWidget *hit = form.LineStyle->childAt(onDotIndicator);
    ASSERT_EQ(hit, form.LineStyleOption[1]);
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(form.LineStyle, onDotIndicator));
    EXPECT_EQ(form.LineStyleOption.selectedIndex(), 1);
    QTest::mouseClick(form.LineStyleOption[0], Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(form.LineStyleOption.selectedIndex(), 0);
}

TEST_F(Form1Handlers, TriggerLevelRedrawsOnlyWhileTheMarkerIsShown) {
    form.TrigLevelScroll->setValue(128);
    EXPECT_EQ(form.triglevel, 400);
    const QImage hidden = picture();
    form.TrigVisible->setChecked(true);
    EXPECT_EQ(form.triglevel, 512);
    EXPECT_NE(picture(), hidden);
    form.TrigLevelScroll->setValue(178);
    EXPECT_EQ(form.triglevel, 712);
}

TEST_F(Form1Handlers, DisplayOptionsKeepTheRecord) {
    loadRecord(50);
    form.Koord_rendszer_rajzolasa();
    const QImage lines = picture();
    form.LineStyleOption[1]->setChecked(true);
    EXPECT_NE(picture(), lines);
    form.VoltsPerDiv2->setChecked(true);
    form.TrigVisible->setChecked(true);
    EXPECT_EQ(form.MeresVege, -1);
}

TEST_F(Form1Handlers, RecordLengthLimitRedrawsNestedAndLeavesAConsistentPicture) {
    loadRecord(100);
    form.SampleRate[7]->setChecked(true);  // "5msec/ 200SPS"
    form.MeresVege = -1;
    form.TimeOption[13]->setChecked(true);  // "1msec/Div.": at most 6400 samples
    EXPECT_EQ(form.SampleScroll->value(), 64);
    EXPECT_EQ(form.SamplesText->text(), "6400");
    EXPECT_EQ(form.MeresVege, 0);
    const QImage nested = picture();
    form.Koord_rendszer_rajzolasa();
    EXPECT_EQ(picture(), nested);
}

TEST_F(Form1Handlers, ScrollBarMaximumChangeRedrawsNestedAndLeavesAConsistentPicture) {
    loadRecord(160);
    form.TimeOption[13]->setChecked(true);  // 1 ms per division at 40 kSPS: 400 divisions
    ASSERT_TRUE(form.Hscroll->isEnabled());
    form.Hscroll->setValue(form.Hscroll->maximum());
    const int farEnd = form.Hscroll->value();
    form.TimeOption[11]->setChecked(true);  // 2.5 ms per division: a smaller maximum
    EXPECT_LT(form.Hscroll->maximum(), farEnd);
    EXPECT_EQ(form.Hscroll->value(), form.Hscroll->maximum());
    const QImage nested = picture();
    form.Koord_rendszer_rajzolasa();
    EXPECT_EQ(picture(), nested);
}

TEST_F(Form1Handlers, ExitWithTheFrontPortClosedClosesTheWindow) {
    form.show();
    QTest::mouseClick(form.Kilepes, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.MSComm1->PortOpen());
}

// A pseudo-terminal stands in for the serial line.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            device_ = ptsname(master_);
        }
    }
    ~PseudoTerminal() {
        if (master_ >= 0) close(master_);
    }
    const std::string &device() const { return device_; }

private:
    int master_ = -1;
    std::string device_;
};

TEST_F(Form1Handlers, ExitClosesAPortLeftOpen) {
    PseudoTerminal line;
    ASSERT_FALSE(line.device().empty());
    setenv("KALVIRA_COM1", line.device().c_str(), 1);
    form.MSComm1->CommPort(1);
    ASSERT_EQ(form.MSComm1->PortOpen(true), std::nullopt);
    ASSERT_TRUE(form.MSComm1->PortOpen());
    form.show();
    form.Kilepes_Click();
    EXPECT_FALSE(form.MSComm1->PortOpen());
    EXPECT_FALSE(form.isVisible());
    unsetenv("KALVIRA_COM1");
}

}  // namespace
}  // namespace kalvira::ui
