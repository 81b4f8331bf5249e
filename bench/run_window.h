#pragma once

#include <QEventLoop>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include "ui/form1.h"

namespace kalvira::bench {

// Runs the window's event loop from START until the run has ended, without polling: the exit
// button is the last control a run enables again. Messages are collected and closed with OK.
class RunWatcher : public QObject {
public:
    explicit RunWatcher(ui::Form1 &form) : form_(form) {
        form_.Kilepes->installEventFilter(this);
        form_.runMessageShown = [this](QMessageBox &box) {
            messages << box.text();
            QPointer<QMessageBox> shown(&box);
            QTimer::singleShot(0, &box, [shown] {
                if (shown) shown->button(QMessageBox::Ok)->click();
            });
        };
    }

    // Clicks START and returns when the run is over.
    void startAndWait() {
        form_.start->click();
        waitForEnd();
    }
    // Returns when the run is over.
    void waitForEnd() {
        if (form_.runInProgress()) loop_.exec();
    }

    QStringList messages;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::EnabledChange && form_.Kilepes->isEnabled()) {
            // The run finishes its last step (closing the port) before the loop sees this.
            QMetaObject::invokeMethod(&loop_, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ui::Form1 &form_;
    QEventLoop loop_;
};

}  // namespace kalvira::bench
