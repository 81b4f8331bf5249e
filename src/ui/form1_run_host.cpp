// The window's side of the measurement run: the controls it locks, the record it commits, its
// messages, and the run's life from START to the window's close.
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "acquisition/measurement_run.h"
#include "acquisition/qt_serial_port.h"
#include "form1.h"

namespace kalvira::ui {

void Form1::startRun() {
    if (!run_) run_ = std::make_unique<acquisition::MeasurementRun>(*this, *MSComm1);
    run_->start();
}

void Form1::wakeRun() {
    if (run_) run_->wake();
}

bool Form1::runInProgress() const {
    return run_ && run_->running();
}

void Form1::enableTimer1() {
    // Already ticking: keep its rhythm, as switching an enabled timer on again does not restart it.
    if (!Timer1->isActive()) Timer1->start();
}

void Form1::setControlEnabled(acquisition::RunControl control, bool enabled) {
    using acquisition::RunControl;
    switch (control) {
        case RunControl::start:
            start->setEnabled(enabled);
            break;
        case RunControl::Kilepes:
            Kilepes->setEnabled(enabled);
            break;
        case RunControl::SampleRate:
            SampleRate.setEnabled(enabled);
            break;
        case RunControl::TimeOption:
            TimeOption.setEnabled(enabled);
            break;
        case RunControl::trigger:
            trigger.setEnabled(enabled);
            break;
        case RunControl::SampleScroll:
            SampleScroll->setEnabled(enabled);
            break;
        case RunControl::TrigLevelScroll:
            TrigLevelScroll->setEnabled(enabled);
            break;
        case RunControl::Com1:
            Com1.setEnabled(enabled);
            break;
    }
}

void Form1::commitSampleData(std::span<const std::int16_t> record) {
    const std::size_t length = std::min(record.size(), SampleData.size() - 1);
    std::copy_n(record.begin(), length, SampleData.begin() + 1);
}

void Form1::showMessage(const std::string &text, std::function<void()> closed) {
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("KALVIRA"),
                                QString::fromStdString(text), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, &runMessageContext_,
            [closed = std::move(closed)] { closed(); });
    box->open();
    if (runMessageShown) runMessageShown(*box);
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
