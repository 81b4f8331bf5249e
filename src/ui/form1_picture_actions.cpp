// What the picture offers beside the controls: keys and a context menu for records, pictures,
// measurements, the spectrum and the calibration, and the measurement readout over it.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include "common/link_facts.h"
#include "form1.h"
#include "measurement_readout.h"
#include "scope/scope.h"

namespace kalvira::ui {

void Form1::createPictureActions() {
    readout_ = new MeasurementReadout(this);
    readout_->move(4, 16);
    readout_->hide();

    pictureMenu_ = new QMenu(this);
    connect(addPictureCommand(tr("Save record…"), QKeySequence::Save), &QAction::triggered, this,
            [this] { saveRecord(); });
    connect(addPictureCommand(tr("Open record…"), QKeySequence::Open), &QAction::triggered, this,
            [this] { openRecord(); });
    connect(addPictureCommand(tr("Save picture as PNG…"), QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, [this] { exportPicture(); });
    connect(addPictureCommand(tr("Copy picture"), QKeySequence::Copy), &QAction::triggered, this,
            [this] { copyPicture(); });
    pictureMenu_->addSeparator();
    setAcceptDrops(true);

    connect(addPictureCommand(tr("Measurements"), Qt::Key_M, true), &QAction::toggled, this,
            [this](bool on) {
                readoutWanted_ = on;
                refreshReadout();
            });
    connect(addPictureCommand(tr("Spectrum"), Qt::Key_F), &QAction::triggered, this,
            [this] { showSpectrum(); });
    createCalibrationAction();
    createRemoteControl();
}

QAction *Form1::addPictureCommand(const QString &text, const QKeySequence &keys, bool checkable) {
    QAction *action = pictureMenu_->addAction(text);
    action->setShortcut(keys);
    action->setCheckable(checkable);
    addAction(action);
    return action;
}

void Form1::refreshReadout() {
    if (!readout_) return;
    const int rate = scope_->settings().rateCode;
    if (!readoutWanted_ || !scope_->recordShown() || rate < 0) {
        readout_->showRecord({}, 0.0);
        return;
    }
    readout_->showRecord(scope_->record(), kSampleRates[static_cast<std::size_t>(rate)].period,
                         calibrationOnScreen(), readoutExtras());
}

// A right click on the picture, not on a control, opens the picture's menu.
void Form1::contextMenuEvent(QContextMenuEvent *event) {
    if (childAt(event->pos()) != nullptr) return QWidget::contextMenuEvent(event);
    pictureMenu_->popup(event->globalPos());
}

}  // namespace kalvira::ui
