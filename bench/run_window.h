#pragma once

#include <QChildEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include "form_controls.h"
#include "ui/form1.h"

namespace kalvira::bench {

// Runs the window's event loop from START until the run has ended, without polling: the exit
// button is the last control a run enables again. Each message box the run opens is read and
// closed with OK.
class RunWatcher : public QObject {
public:
    explicit RunWatcher(ui::Form1 &form)
        : form_(form),
          start_(testing::control<QPushButton>(form, "start")),
          kilepes_(testing::control<QPushButton>(form, "Kilepes")) {
        form_.installEventFilter(this);
        kilepes_->installEventFilter(this);
    }

    // Clicks START and returns when the run is over.
    void startAndWait() {
        start_->click();
        waitForEnd();
    }
    // Returns when the run is over.
    void waitForEnd() {
        if (!kilepes_->isEnabled()) loop_.exec();
    }

    QStringList messages;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched == kilepes_ && event->type() == QEvent::EnabledChange &&
            kilepes_->isEnabled()) {
            // The run finishes its last step (closing the port) before the loop sees this.
            QMetaObject::invokeMethod(&loop_, &QEventLoop::quit, Qt::QueuedConnection);
        } else if (watched == &form_ && event->type() == QEvent::ChildAdded) {
            // The child is still being built: look at it once the run has opened it.
            QPointer<QObject> child = static_cast<QChildEvent *>(event)->child();
            QTimer::singleShot(0, this, [this, child] {
                if (auto *box = qobject_cast<QMessageBox *>(child.data())) {
                    messages << box->text();
                    box->button(QMessageBox::Ok)->click();
                }
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ui::Form1 &form_;
    QPushButton *start_;
    QPushButton *kilepes_;
    QEventLoop loop_;
};

}  // namespace kalvira::bench
