// Whole runs of the real window through its real serial port to kalvira-unit.
#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <functional>

#include "acquisition/qt_serial_port.h"
#include "form_controls.h"
#include "scope/record_judge.h"
#include "scope/scope.h"
#include "scoped_environment.h"
#include "ui/failure_marks.h"
#include "ui/form1.h"
#include "ui/option_button.h"
#include "ui/trend_window.h"
#include "unit_process.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Options = std::vector<std::string>;

// One cycle of the unit's triangle (offset 512, amplitude 300) sampled 40 times.
constexpr std::array<std::int16_t, 40> kTriangle{512, 542, 572, 602, 632, 662, 692, 722, 752, 782,
                                                 812, 782, 752, 722, 692, 662, 632, 602, 572, 542,
                                                 512, 482, 452, 422, 392, 362, 332, 302, 272, 242,
                                                 212, 242, 272, 302, 332, 362, 392, 422, 452, 482};

class EndToEnd : public ::testing::Test {
protected:
    // The unit plays a triangle at this frequency: 1 kHz gives 40 samples a cycle at 40 kSPS.
    void startUnit(Options options, const char *frequency = "1000") {
        options.insert(options.end(), {"--fast", "--wave=triangle", "--frequency", frequency});
        unit.emplace(options);
        ASSERT_TRUE(unit->started());
        unit->becomeCom1();
    }
    // Runs the event loop until done() holds, reading and closing each message box with OK on the
    // way. The time-out only bounds a hung test.
    bool waitUntil(const std::function<bool()> &done) {
        const QDeadlineTimer deadline(30000);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (auto *box = form.findChild<QMessageBox *>(); box && box->isVisible()) {
                messages << box->text();
                box->button(QMessageBox::Ok)->click();
            }
            if (done() || deadline.hasExpired()) loop.quit();
        });
        poll.start(1);
        loop.exec();
        return done();
    }
    bool runOver() const {
        return control<QPushButton>(form, "start")->isEnabled() &&
               control<QPushButton>(form, "Kilepes")->isEnabled();
    }
    bool startAndWait(const std::function<bool()> &done) {
        control<QPushButton>(form, "start")->click();
        return waitUntil(done);
    }
    // The unit's log lines of one kind; all of them once it has seen the port close.
    std::vector<std::string> log(const std::string &kind, bool settled = true) {
        EXPECT_TRUE(!settled || waitUntil([this] { return !log("HOST", false).empty(); }));
        std::vector<std::string> lines = unit->logLines();
        std::erase_if(lines,
                      [&](const std::string &line) { return !line.starts_with(kind + " "); });
        return lines;
    }
    // Every byte the unit read from the program, in order.
    Bytes fromProgram() {
        Bytes read;
        for (const std::string &line : log("RX")) {
            for (std::size_t i = 3; i < line.size(); i += 3)
                read.push_back(std::stoi(line.substr(i, 2), nullptr, 16));
        }
        return read;
    }
    void expectTriangle(int samples) const {
        int wrong = 0;
        for (int k = 1; k <= samples; ++k)
            wrong += form.scope().samples()[k] != kTriangle[(k - 1) % 40];
        EXPECT_EQ(wrong, 0) << "samples differing from the unit's triangle";
    }
    // The run ended with this message or none; after one ending in ": " the system's reason.
    void expectRunEnded(const std::string &message = "") const {
        const std::string shown = messages.join("; ").toStdString();
        EXPECT_EQ(message.ends_with(": ") ? shown.substr(0, message.size()) : shown, message);
        EXPECT_TRUE(messages.size() <= 1 && runOver() &&
                    control<QScrollBar>(form, "SampleScroll")->isEnabled());
        EXPECT_FALSE(control<acquisition::QtSerialPort>(form, "MSComm1")->PortOpen());
    }

    std::optional<testing::UnitProcess> unit;
    ui::Form1 form;
    QStringList messages;
};

TEST_F(EndToEnd, ASingleRunCommitsTheUnitsRecordOverACleanLink) {
    startUnit({}, "500");  // 40 samples a cycle at 20 kSPS
    option(form, "SampleRate", 1)->click();
    control<QScrollBar>(form, "SampleScroll")->setValue(160);
    control<QScrollBar>(form, "TrigLevelScroll")->setValue(140);
    option(form, "TrigEdge", 1)->click();
    QStringList titles;
    ASSERT_TRUE(startAndWait([&] { return titles << form.windowTitle(), runOver(); }));
    expectRunEnded();
    EXPECT_TRUE(form.scope().recordShown());
    expectTriangle(16000);
    EXPECT_FALSE(titles.filter(QStringLiteral("KALVIRA – transferring ")).isEmpty())
        << titles.join('|').toStdString();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("KALVIRA"));
    Bytes frameAndAcks{0x01, 0x8C, 0x80, 0x3E, 0, 0, 0, 0, 0, 0, 0x4B};
    frameAndAcks.resize(11 + 160, 0x55);
    EXPECT_EQ(fromProgram(), frameAndAcks);
    EXPECT_EQ(log("TX").size(), 161u) << "a clean link needs the start byte and each block once";
}

TEST_F(EndToEnd, AContinuousRunSendsNewLevelAndEdgeInTheNextFrameUntilStop) {
    startUnit({});
    option(form, "trigger", 1)->click();  // "Ext./Cont."
    control<QScrollBar>(form, "SampleScroll")->setValue(1);
    ASSERT_TRUE(startAndWait([this] { return log("DONE", false).size() >= 2; }));
    control<QScrollBar>(form, "TrigLevelScroll")->setValue(140);
    option(form, "TrigEdge", 1)->click();
    ASSERT_TRUE(waitUntil([this] {  // a record taken with the new settings
        const auto frames = log("FRAME", false);
        return frames.back().find("level=140") != std::string::npos &&
               log("DONE", false).size() >= frames.size();
    }));
    control<QPushButton>(form, "stp")->click();
    ASSERT_TRUE(waitUntil([this] { return runOver(); }));
    expectRunEnded();
    EXPECT_TRUE(form.scope().recordShown());
    const Bytes first{0x10, 0x64, 0x64, 0, 1, 0, 0, 0, 0, 0, 0xD9, 0x55};
    const Bytes changed{0x10, 0x8C, 0x64, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x55};
    const Bytes read = fromProgram();
    EXPECT_EQ(Bytes(read.begin(), read.begin() + std::min(read.size(), first.size())), first);
    EXPECT_NE(std::search(read.begin(), read.end(), changed.begin(), changed.end()), read.end());
}

// A file dialog is window modal with no loop of its own: the run's blocks, acknowledgements and
// commits go on under it, and closing the window over it ends both.
TEST_F(EndToEnd, AContinuousRunGoesOnUnderAFileDialogAndClosingTheWindowOverItIsClean) {
    startUnit({});
    option(form, "trigger", 1)->click();  // "Ext./Cont."
    control<QScrollBar>(form, "SampleScroll")->setValue(1);
    form.show();
    ASSERT_TRUE(startAndWait([this] { return form.scope().recordShown(); }));
    for (QAction *action : form.actions()) {
        if (action->shortcut() == QKeySequence::Save) action->trigger();  // "Save record…"
    }
    const QPointer<QFileDialog> dialog = form.findChild<QFileDialog *>();
    ASSERT_TRUE(dialog && dialog->isVisible());
    const std::size_t done = log("DONE", false).size();
    ASSERT_TRUE(waitUntil([&] { return log("DONE", false).size() >= done + 3; }));
    EXPECT_TRUE(dialog && dialog->isVisible());
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(dialog.isNull() || !dialog->isVisible());
    expectRunEnded();
}

struct Fault {
    const char *name;
    const char *options;  // the unit's, separated by spaces
    bool quickClock;      // Timer1 ticks every 2 ms, so that time-outs come quickly
    std::string message;
    int acks;  // acknowledgements the program sent
};
class EndToEndFault : public EndToEnd, public ::testing::WithParamInterface<Fault> {};

TEST_P(EndToEndFault, ShowsItsMessageAndAcknowledgesOnlyGoodBlocks) {
    const Fault &f = GetParam();
    Options options{"--ack-timeout=250"};
    for (const QString &o : QString(f.options).split(' ')) options.push_back(o.toStdString());
    startUnit(options);
    if (f.quickClock) control<QTimer>(form, "Timer1")->setInterval(2);
    control<QScrollBar>(form, "SampleScroll")->setValue(5);
    ASSERT_TRUE(startAndWait([this] { return runOver(); }));
    expectRunEnded(f.message);
    if (f.message.empty()) expectTriangle(500);
    EXPECT_EQ(form.scope().recordShown(), f.message.empty());
    EXPECT_TRUE(f.message.empty() || form.scope().samples()[1] == 0)
        << "a failed run touched SampleData";
    Bytes frameAndAcks{0x00, 0x64, 0xF4, 0x01, 1, 0, 0, 0, 0, 0, 0x5A};
    frameAndAcks.resize(11 + f.acks, 0x55);
    EXPECT_EQ(fromProgram(), frameAndAcks);
}

INSTANTIATE_TEST_SUITE_P(
    Unit, EndToEndFault,
    ::testing::Values(
        Fault{"NoAnswer", "--fault=no-answer", true, "KALVIRA nem válaszol!", 0},
        Fault{"WrongStart", "--fault=wrong-start=AB", false, "KALVIRA hibás válasz!", 0},
        Fault{"BadCheckTwice", "--fault=bad-check=2:2", false, "", 5},
        Fault{"BadCheckThrice", "--fault=bad-check=2:3", false, "Kapcsolat nem megfelelő!", 1},
        Fault{"HighByteOnce", "--fault=high-byte=3:1", false, "", 5},
        Fault{"HighByteThrice", "--fault=high-byte=3:3", false, "Kapcsolat nem megfelelő!", 2},
        Fault{"ShortBlockSentAgain", "--fault=short-block=2:150", true, "", 5},
        Fault{"ShortBlockOnly", "--copies=1 --fault=short-block=1:150", true,
              "A kapcsolat megszakadt!", 0},
        Fault{"StallAfterStartByte", "--fault=stall=0", true, "A kapcsolat megszakadt!", 0},
        Fault{"StallAfterBlock", "--fault=stall=2", true, "A kapcsolat megszakadt!", 2}),
    [](const auto &info) { return std::string(info.param.name); });

// The triangle cut at its falling crossings of 400 ("Trig./Cont."), a spike in every third
// record: records 1 and 2 pass a peak-to-peak of 500..700, record 3 spans 800 or more, fails
// and stops the run; the trend has followed all three.
TEST_F(EndToEnd, AContinuousRunIsJudgedRecordByRecordAndItsTrendFollowsIt) {
    startUnit({"--glitch-every", "3"});
    option(form, "trigger", 3)->click();
    control<QScrollBar>(form, "SampleScroll")->setValue(10);
    form.judge().setCriteria({{{analysis::Figure::PeakToPeak, 500, 700}}, std::nullopt, true});
    ASSERT_TRUE(startAndWait([this] { return runOver(); }));
    expectRunEnded();
    EXPECT_EQ(std::tuple(form.judge().passCount(), form.judge().failCount()), std::tuple(2, 1));
    const auto *marks = form.findChild<ui::FailureMarks *>("failureMarks");
    EXPECT_TRUE(marks && !marks->isHidden() && marks->tag() == "FAIL · p-p");
    for (QAction *action : form.actions()) {
        if (action->text() == "Trend…") action->trigger();
    }
    const auto *trend = form.findChild<ui::TrendWindow *>("trendWindow");
    ASSERT_TRUE(trend && trend->isVisible());
    EXPECT_TRUE(trend->summaryText().startsWith("Records 3 · with the figure 3 · "))
        << trend->summaryText().toStdString();
    const QStringList csv =
        QString::fromStdString(scope::trendCsv(form.judge().trend())).split('\n');
    EXPECT_EQ(csv.mid(0, 2), (QStringList{"# kalvira-trend=1", "# records=3"}));
    EXPECT_TRUE(csv[2].startsWith("record,taken,time_s,frequency_hz,period_s,min,max,"));
    EXPECT_EQ((QStringList{csv[3].section(',', 0, 0), csv[5].section(',', 0, 0)}),
              (QStringList{"1", "3"}));
}

TEST_F(EndToEnd, APortThatCannotBeOpenedIsReportedByDevice) {
    const testing::ScopedEnvironment com1("KALVIRA_COM1", "/dev/kalvira-no-such-device");
    ASSERT_TRUE(startAndWait([this] { return runOver(); }));
    expectRunEnded("/dev/kalvira-no-such-device: ");
}

TEST_F(EndToEnd, AUnitVanishingMidRecordIsReportedByDevice) {
    startUnit({"--fault=stall=1"});
    control<QScrollBar>(form, "SampleScroll")->setValue(3);
    ASSERT_TRUE(startAndWait([this] { return !log("STALL", false).empty(); }));
    unit->stop();
    ASSERT_TRUE(waitUntil([this] { return runOver(); }));
    expectRunEnded(unit->device() + ": ");
    EXPECT_EQ(form.scope().samples()[1], 0);
}

TEST_F(EndToEnd, ClosingTheWindowMidRecordEndsTheRunAndClosesThePort) {
    startUnit({"--fault=stall=1"});
    control<QScrollBar>(form, "SampleScroll")->setValue(3);
    form.show();
    ASSERT_TRUE(startAndWait([this] { return !log("STALL", false).empty(); }));
    EXPECT_TRUE(form.close());
    expectRunEnded();
    EXPECT_FALSE(log("HOST").empty()) << "the unit never saw the port close";
}

}  // namespace
}  // namespace kalvira
