#include "e2e_fixture.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "acquisition/qt_serial_port.h"
#include "unit/signal.h"

namespace kalvira::e2e {

bool waitUntil(const std::function<bool()> &done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs) loop.quit();
    });
    poll.start();
    if (!done()) loop.exec();
    return done();
}

EndToEndTest::EndToEndTest() {
    form = std::make_unique<ui::Form1>();
    form->runMessageShown = [this](QMessageBox &box) {
        messages << box.text();
        QPointer<QMessageBox> shown(&box);
        QTimer::singleShot(0, form.get(), [shown] {
            if (shown) shown->button(QMessageBox::Ok)->click();
        });
    };
}

EndToEndTest::~EndToEndTest() {
    form.reset();
    unit.reset();
}

void EndToEndTest::startUnit(const std::vector<std::string> &options) {
    unit = std::make_unique<unit::testing::UnitProcess>(options);
    ASSERT_TRUE(unit->started()) << "kalvira-unit did not start";
    ::setenv("KALVIRA_COM1", unit->devicePath().c_str(), 1);
}

void EndToEndTest::quickClock() {
    form->Timer1->setInterval(1);
}

bool EndToEndTest::runToEnd(int timeoutMs) {
    form->start->click();
    return waitUntil([this] { return !form->runInProgress(); }, timeoutMs);
}

bool EndToEndTest::waitForUnit(const std::string &kind, int acq, int timeoutMs) {
    const std::string number = std::to_string(acq);
    return waitUntil(
        [&] {
            for (const auto &line : unitLog(kind)) {
                const auto found = line.fields.find("acq");
                if (found != line.fields.end() && found->second == number) return true;
            }
            return false;
        },
        timeoutMs);
}

std::vector<unit::LogLine> EndToEndTest::unitLog(const std::string &kind) const {
    std::vector<unit::LogLine> lines;
    if (!unit) return lines;
    for (const auto &text : unit->logLines()) {
        unit::LogLine line = unit::parseLogLine(text);
        if (kind.empty() || line.kind == kind) lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::uint8_t> EndToEndTest::bytesFromProgram(std::size_t atLeast) const {
    std::vector<std::uint8_t> bytes;
    waitUntil(
        [&] {
            bytes.clear();
            for (const auto &line : unitLog("RX")) {
                bytes.insert(bytes.end(), line.bytes.begin(), line.bytes.end());
            }
            return bytes.size() >= atLeast;
        },
        2000);
    return bytes;
}

int EndToEndTest::lastCompletedAcquisition() const {
    int last = 0;
    for (const auto &line : unitLog("DONE"))
        last = std::max(last, std::stoi(line.fields.at("acq")));
    return last;
}

void EndToEndTest::expectRecordOfAcquisition(const acquisition::FrameSettings &frame,
                                             int acq) const {
    const auto record = unit::generateRecord(unit::SignalOptions{}, frame, acq);
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->samples.size(), static_cast<std::size_t>(frame.recordLength));
    int wrong = 0;
    for (int k = 1; k <= frame.recordLength; ++k) {
        if (form->SampleData[k] != static_cast<std::int16_t>(record->samples[k - 1])) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "positions of SampleData differing from acquisition " << acq;
}

void EndToEndTest::expectRunEnded() const {
    EXPECT_FALSE(form->runInProgress());
    EXPECT_TRUE(form->start->isEnabled());
    EXPECT_TRUE(form->Kilepes->isEnabled());
    EXPECT_TRUE(form->SampleScroll->isEnabled());
    EXPECT_FALSE(form->MSComm1->PortOpen());
}

acquisition::FrameSettings initialFrame() {
    acquisition::FrameSettings frame;
    frame.triggerMode = 0;
    frame.rateCode = 0;
    frame.triggerLevel = 100;
    frame.recordLength = 5000;
    frame.fallingEdge = true;
    return frame;
}

std::vector<std::uint8_t> frameAndAcks(const acquisition::FrameSettings &frame, int acks) {
    const auto bytes = acquisition::buildCommandFrame(frame);
    std::vector<std::uint8_t> all(bytes.begin(), bytes.end());
    all.insert(all.end(), static_cast<std::size_t>(acks), acquisition::kAcknowledgement);
    return all;
}

}  // namespace kalvira::e2e
