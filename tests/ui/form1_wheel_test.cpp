#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "form_controls.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "ui/form1.h"
#include "ui/option_button.h"

using kalvira::testing::control;
using kalvira::testing::option;

static void turnWheel(QScrollBar *bar, int angle) {  // 120: a notch away from the user
    QWheelEvent wheel({4, 4}, bar->mapToGlobal(QPointF(4, 4)), {}, {0, angle}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
}

TEST(Form1Wheel, SettingBarsIgnoreItAndTheRecordBarStepsOneSmallChangePerNotch) {
    kalvira::ui::Form1 form;
    control<QScrollBar>(form, "SampleScroll")->setValue(160);
    // a record on screen, as yet no longer than the screen
    kalvira::testing::showSamples(form.scope(), std::vector<std::int16_t>(16000, 512));
    for (QScrollBar *bar :
         {control<QScrollBar>(form, "SampleScroll"), control<QScrollBar>(form, "TrigLevelScroll"),
          control<QScrollBar>(form, "Hscroll")}) {
        const int before = bar->value();
        for (int angle : {-120, 120, -360}) turnWheel(bar, angle);
        EXPECT_TRUE(bar->value() == before && form.scope().recordShown()) << before;
    }
    option(form, "TimeOption", 13)
        ->setChecked(true);  // 1 ms per division: a record longer than the screen
    for (int angle : {-120, -60, -60, -120, 120})
        turnWheel(control<QScrollBar>(form, "Hscroll"), angle);
    EXPECT_EQ(control<QScrollBar>(form, "Hscroll")->value(),
              2 * control<QScrollBar>(form, "Hscroll")->singleStep());
}
