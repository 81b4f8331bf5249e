// The measurement run's life in the window: what the window does for it (the clock, the settings
// it locks while it lasts, the picture, the message box, the progress) and the window's close
// during a run.
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "acquisition/qt_serial_port.h"
#include "form1.h"
#include "scope/scope.h"

namespace kalvira::ui {

bool Form1::runInProgress() const {
    return scope_->running();
}

void Form1::startClock() {
    // Already ticking: keep its rhythm, as switching an enabled timer on again does not restart it.
    if (!Timer1->isActive()) Timer1->start();
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

void Form1::redraw() {
    Koord_rendszer_rajzolasa();
}

void Form1::showMessage(const std::string &text, std::function<void()> closed) {
    QMessageBox *box = showNotice(QString::fromStdString(text));
    QObject::connect(box, &QMessageBox::finished, messageContext_.get(),
                     [closed = std::move(closed)] { closed(); });
}

void Form1::runStateChanged() {
    showRunProgress(true);
}

// Closing the window during a run stops it at once, takes down its message and any file dialog,
// and closes the port; the program then ends as it does when the window is closed between runs,
// with its last window.
void Form1::closeEvent(QCloseEvent *event) {
    if (fileDialog_) fileDialog_->reject();
    if (runInProgress()) {
        scope_->abort();
        for (auto *box : findChildren<QMessageBox *>()) box->close();
    }
    if (MSComm1->PortOpen()) MSComm1->PortOpen(false);
    event->accept();
}

}  // namespace kalvira::ui
