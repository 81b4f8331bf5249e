// The window's side of the measurement run: the controls it locks, the record it commits, its
// messages, and the run's life from START to the window's close.
#include <QCheckBox>
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "acquisition/measurement_run.h"
#include "acquisition/qt_serial_port.h"
#include "form1.h"
#include "form1_run_host.h"

namespace kalvira::ui {

void Form1::startRun() {
    if (!run_) run_ = std::make_unique<acquisition::MeasurementRun>(*runHost_, *MSComm1);
    run_->start();
}

void Form1::wakeRun() {
    if (run_) run_->wake();
}

bool Form1::runInProgress() const {
    return run_ && run_->running();
}

int Form1RunHost::selectedCom1() const {
    return form_.Com1.selectedIndex();
}

int Form1RunHost::selectedTrigger() const {
    return form_.trigger.selectedIndex();
}

int Form1RunHost::selectedSampleRate() const {
    return form_.SampleRate.selectedIndex();
}

int Form1RunHost::selectedTrigEdge() const {
    return form_.TrigEdge.selectedIndex();
}

std::int16_t Form1RunHost::trigLevelValue() const {
    return static_cast<std::int16_t>(form_.TrigLevelScroll->value());
}

std::int16_t Form1RunHost::sampleScrollValue() const {
    return static_cast<std::int16_t>(form_.SampleScroll->value());
}

std::int16_t Form1RunHost::stopGombLenyomva() const {
    return form_.StopGombLenyomva;
}

void Form1RunHost::setStopGombLenyomva(std::int16_t value) {
    form_.StopGombLenyomva = value;
}

std::int16_t Form1RunHost::tizedSec() const {
    return form_.TizedSec;
}

void Form1RunHost::setTizedSec(std::int16_t value) {
    form_.TizedSec = value;
}

void Form1RunHost::setMeresVege(std::int16_t value) {
    form_.MeresVege = value;
}

void Form1RunHost::runStateChanged() {
    form_.showRunProgress(true);
}

void Form1RunHost::redraw() {
    form_.Koord_rendszer_rajzolasa();
}

void Form1RunHost::enableTimer1() {
    // Already ticking: keep its rhythm, as switching an enabled timer on again does not restart it.
    if (!form_.Timer1->isActive()) form_.Timer1->start();
}

void Form1RunHost::setControlEnabled(acquisition::RunControl control, bool enabled) {
    using acquisition::RunControl;
    switch (control) {
        case RunControl::start:
            form_.start->setEnabled(enabled);
            break;
        case RunControl::Kilepes:
            form_.Kilepes->setEnabled(enabled);
            break;
        case RunControl::SampleRate:
            form_.SampleRate.setEnabled(enabled);
            break;
        case RunControl::TimeOption:
            form_.TimeOption.setEnabled(enabled);
            break;
        case RunControl::trigger:
            form_.trigger.setEnabled(enabled);
            break;
        case RunControl::SampleScroll:
            form_.SampleScroll->setEnabled(enabled);
            break;
        case RunControl::TrigLevelScroll:
            form_.TrigLevelScroll->setEnabled(enabled);
            break;
        case RunControl::Com1:
            form_.Com1.setEnabled(enabled);
            break;
    }
}

void Form1RunHost::commitSampleData(std::span<const std::int16_t> record) {
    const std::size_t length = std::min(record.size(), form_.SampleData.size() - 1);
    std::copy_n(record.begin(), length, form_.SampleData.begin() + 1);
    form_.recordTaken_ = QDateTime::currentDateTimeUtc();
}

void Form1RunHost::showMessage(const std::string &text, std::function<void()> closed) {
    QMessageBox *box = form_.showNotice(QString::fromStdString(text));
    QObject::connect(box, &QMessageBox::finished, &messageContext_,
                     [closed = std::move(closed)] { closed(); });
}

// Closing the window during a run stops it at once, takes down its message and closes the port;
// the program then ends as it does when the window is closed between runs, with its last window.
void Form1::closeEvent(QCloseEvent *event) {
    if (runInProgress()) {
        run_->abort();
        for (auto *box : findChildren<QMessageBox *>()) box->close();
    }
    if (MSComm1->PortOpen()) MSComm1->PortOpen(false);
    event->accept();
}

}  // namespace kalvira::ui
