// The measurement run's life in the window: START, the settings it locks while it lasts, and the
// window's close during a run.
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

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

// START, the exit button and what the unit's frame is built from are locked while a run lasts;
// the end of a run sets the time base and the trigger level usable as well, though a run never
// locks them.
void Form1::setSettingsLocked(bool locked) {
    for (QWidget *control : {static_cast<QWidget *>(start), static_cast<QWidget *>(Kilepes),
                             static_cast<QWidget *>(SampleScroll)}) {
        control->setEnabled(!locked);
    }
    for (OptionGroup *group : {&SampleRate, &trigger, &Com1}) group->setEnabled(!locked);
    if (locked) return;
    TimeOption.setEnabled(true);
    TrigLevelScroll->setEnabled(true);
}

// Closing the window during a run stops it at once, takes down its message and any file dialog,
// and closes the port; the program then ends as it does when the window is closed between runs,
// with its last window.
void Form1::closeEvent(QCloseEvent *event) {
    if (fileDialog_) fileDialog_->reject();
    if (runInProgress()) {
        run_->abort();
        for (auto *box : findChildren<QMessageBox *>()) box->close();
    }
    if (MSComm1->PortOpen()) MSComm1->PortOpen(false);
    event->accept();
}

}  // namespace kalvira::ui
