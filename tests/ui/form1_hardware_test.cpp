#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/form1.h"
#include "ui/option_button.h"

static void turnWheel(QScrollBar *bar, int angle) {  // 120: a notch away from the user
    QWheelEvent wheel({4, 4}, bar->mapToGlobal(QPointF(4, 4)), {}, {0, angle}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
}

TEST(Form1Wheel, SettingBarsIgnoreItAndTheRecordBarStepsOneSmallChangePerNotch) {
    kalvira::ui::Form1 form;
    form.SampleScroll->setValue(160);
    form.MeresVege = -1;  // a record on screen, as yet no longer than the screen
    for (QScrollBar *bar : {form.SampleScroll, form.TrigLevelScroll, form.Hscroll}) {
        const int before = bar->value();
        for (int angle : {-120, 120, -360}) turnWheel(bar, angle);
        EXPECT_TRUE(bar->value() == before && form.MeresVege == -1) << before;
    }
    form.TimeOption[13]->setChecked(true);  // 1 ms per division: a record longer than the screen
    for (int angle : {-120, -60, -60, -120, 120}) turnWheel(form.Hscroll, angle);
    EXPECT_EQ(form.Hscroll->value(), 2 * form.Hscroll->singleStep());
}
