#include "ui/form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "acquisition/qt_serial_port.h"
#include "form_controls.h"
#include "pty_pair.h"
#include "scope/scope.h"
#include "scope_record.h"
#include "scoped_environment.h"
#include "ui/option_button.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira::ui {
namespace {

// The retained picture, as the window keeps it.
QImage picture(const Form1 &form) {
    return form.picture().copy();
}

// Puts a record of `blocks` hundred samples into the window as a finished run leaves it.
void loadRecord(Form1 &form, int blocks) {
    control<QScrollBar>(form, "SampleScroll")->setValue(blocks);
    std::vector<std::int16_t> samples;
    for (int k = 1; k <= blocks * 100; ++k) samples.push_back(std::int16_t(312 + k % 400));
    testing::showSamples(form.scope(), samples);
    form.Koord_rendszer_rajzolasa();
}

TEST(Form1, StartsWithTheFirstOptionsTheBarsAndTheFocusOnKilepes) {
    Form1 form;
    for (const char *group :
         {"TimeOption", "SampleRate", "trigger", "Com1", "LineStyleOption", "TrigEdge"}) {
        EXPECT_TRUE(option(form, group, 0)->isChecked()) << group;
    }
    for (auto [bar, min, max, value] :
         {std::tuple{control<QScrollBar>(form, "SampleScroll"), 1, 160, 50},
          std::tuple{control<QScrollBar>(form, "TrigLevelScroll"), 1, 254, 100},
          std::tuple{control<QScrollBar>(form, "Hscroll"), 0, 16000, 0}}) {
        // A dragged thumb changes the value only when let go: no tracking.
        EXPECT_EQ(std::tuple(bar->minimum(), bar->maximum(), bar->value(), bar->hasTracking()),
                  std::tuple(min, max, value, false));
    }
    EXPECT_FALSE(control<QScrollBar>(form, "Hscroll")->isEnabled());
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(form, "Kilepes"));
}

struct Handler {
    const char *name;
    std::function<void(Form1 &)> prepare, act;
    bool redraws, keepsRecord;
};

class Form1Handler : public ::testing::TestWithParam<Handler> {};

TEST_P(Form1Handler, RedrawsOrNotAndKeepsOrDiscardsTheRecord) {
    Form1 form;
    loadRecord(form, 160);
    if (GetParam().prepare) GetParam().prepare(form);
    const QImage before = picture(form);
    GetParam().act(form);
    EXPECT_EQ(picture(form) != before, GetParam().redraws);
    EXPECT_EQ(form.scope().recordShown(), GetParam().keepsRecord);
    const QImage after = picture(form);  // a discarded record leaves no red trace pixel
    const auto *pixels = reinterpret_cast<const QRgb *>(after.constBits());
    EXPECT_EQ(std::count(pixels, pixels + after.width() * after.height(), qRgb(255, 0, 0)) > 0,
              GetParam().keepsRecord);
}

// What a user does: clicks a button or an option (named as option() names it), or moves a bar.
std::function<void(Form1 &)> click(const char *name) {
    return [name](Form1 &f) { control<QAbstractButton>(f, name)->click(); };
}
std::function<void(Form1 &)> moveBar(const char *bar, int value) {
    return [bar, value](Form1 &f) { control<QScrollBar>(f, bar)->setValue(value); };
}

const auto kHandlers = ::testing::Values(
    Handler{"TimeBase", {}, click("TimeOption_12"), true, true},
    Handler{"SampleRate", {}, click("SampleRate_3"), true, false},
    Handler{"RecordLength", {}, moveBar("SampleScroll", 7), true, false},
    Handler{"Dots", {}, click("LineStyleOption_1"), true, true},
    Handler{"VoltsPerDiv2", {}, click("VoltsPerDiv2"), true, true},
    Handler{"TrigVisible", {}, click("TrigVisible"), true, true},
    Handler{"TrigLevelShown", click("TrigVisible"), moveBar("TrigLevelScroll", 150), true, true},
    Handler{"TrigLevelHidden", {}, moveBar("TrigLevelScroll", 150), false, true},
    Handler{"Hscroll", click("TimeOption_13"), moveBar("Hscroll", 3), true, true},
    Handler{"Stop", {}, click("stp"), false, true});
INSTANTIATE_TEST_SUITE_P(Form1, Form1Handler, kHandlers,
                         [](const auto &info) { return std::string(info.param.name); });

// Settings a script asks of the scope move the controls, and their handlers run as by hand: the
// new rate clears the record, and "1msec/Div." at 200 SPS holds the length at 6400.
TEST(Form1, SettingsAskedOfTheScopeMoveTheControlsAsAUserWould) {
    Form1 form;
    loadRecord(form, 160);
    settings::ScopeSettings wanted = form.scope().settings();
    wanted.rateCode = 7, wanted.timeBase = 13, wanted.triggerMode = 3, wanted.triggerLevel = 200;
    wanted.fallingEdge = false, wanted.halfHeight = wanted.dots = wanted.triggerMarker = true;
    form.scope().setSettings(wanted);
    for (const auto &[group, index] : {std::pair("SampleRate", 7),
                                       {"TimeOption", 13},
                                       {"trigger", 3},
                                       {"TrigEdge", 1},
                                       {"LineStyleOption", 1}})
        EXPECT_TRUE(option(form, group, index)->isChecked()) << group;
    EXPECT_EQ(control<QScrollBar>(form, "SampleScroll")->value(), 64);
    EXPECT_EQ(control<QScrollBar>(form, "TrigLevelScroll")->value(), 200);
    EXPECT_TRUE(control<QCheckBox>(form, "VoltsPerDiv2")->isChecked());
    wanted.recordLength = 6400;
    EXPECT_EQ(form.scope().settings(), wanted);
    EXPECT_FALSE(form.scope().recordShown());
}

// "1msec/Div." at 40 kSPS: 40 samples a division, five divisions on the design screen.
TEST(Form1, HscrollIsEnabledOnlyForARecordLongerThanTheScreen) {
    Form1 form;
    option(form, "TimeOption", 13)->click();
    loadRecord(form, 2);
    EXPECT_EQ(control<QLineEdit>(form, "SamplesText")->text(), "200");
    EXPECT_FALSE(control<QScrollBar>(form, "Hscroll")->isEnabled());
    loadRecord(form, 3);
    EXPECT_TRUE(control<QScrollBar>(form, "Hscroll")->isEnabled());
    EXPECT_EQ(control<QScrollBar>(form, "Hscroll")->maximum(), 3);
    EXPECT_EQ(control<QScrollBar>(form, "Hscroll")->pageStep(), 5);
}

TEST(Form1, ShowsTheRetainedPictureAndRedrawsItAtANewSize) {
    Form1 form;
    loadRecord(form, 50);
    form.show();
    QApplication::processEvents();
    const QRect clear(0, 0, 400, 480);  // no control covers it
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(clear), picture(form).convertToFormat(QImage::Format_RGB32).copy(clear));
    form.resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(picture(form).size(), QSize(900, 700));
    EXPECT_EQ(control<QScrollBar>(form, "Hscroll")->pos(),
              QPoint(707, 416));  // its top stays where it was designed
}

QStringList disabledControls(const Form1 &form) {
    QStringList names;
    for (const QWidget *w : form.findChildren<QWidget *>()) {
        if (!w->isEnabled() && !qobject_cast<const QGroupBox *>(w)) names << w->objectName();
    }
    names.sort();
    return names;
}

TEST(Form1, ARunLocksExactlyTheAcquisitionSettingsUntilItsWaitRunsOut) {
    testing::PtyPair line;  // nobody answers: the run waits for the start byte
    ASSERT_FALSE(line.device().empty());
    const testing::ScopedEnvironment com1("KALVIRA_COM1", line.device());
    Form1 form;
    const QStringList idle = disabledControls(form);
    QStringList locked = idle + QStringList{"start", "Kilepes", "SampleScroll", "Com1_0", "Com1_1"};
    for (int i = 0; i < 8; ++i) locked << QStringLiteral("SampleRate_%1").arg(i);
    for (int i = 0; i < 4; ++i) locked << QStringLiteral("trigger_%1").arg(i);
    locked.sort();
    control<QPushButton>(form, "start")->click();
    EXPECT_EQ(disabledControls(form), locked);
    ASSERT_TRUE(control<acquisition::QtSerialPort>(form, "MSComm1")->PortOpen());
    auto *timer = form.findChild<QTimer *>("Timer1");
    timer->stop();  // the test alone ticks: 9.5 s down to 0 and no further, and the wait ends
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.scope().run().countdown() == 95; }, 30000));
    for (int tick = 0; tick < 200; ++tick) QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(form.scope().run().countdown(), 0);
    auto *box = form.findChild<QMessageBox *>();
    ASSERT_TRUE(box && box->isVisible() && box->text() == "KALVIRA nem válaszol!");
    box->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return control<QPushButton>(form, "Kilepes")->isEnabled(); }, 30000));
    EXPECT_EQ(disabledControls(form), idle);
    EXPECT_FALSE(control<acquisition::QtSerialPort>(form, "MSComm1")->PortOpen());
}

}  // namespace
}  // namespace kalvira::ui
