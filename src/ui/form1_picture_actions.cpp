// What the picture offers beside the controls: keys and a context menu for records and pictures,
// files dropped on it, and the measurement readout over it.
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>

#include "common/link_facts.h"
#include "form1.h"
#include "measurement_readout.h"

namespace kalvira::ui {

void Form1::createPictureActions() {
    readout_ = new MeasurementReadout(this);
    readout_->move(4, 16);
    readout_->hide();

    pictureMenu_ = new QMenu(this);
    const auto addCommand = [this](const QString &text, QKeySequence keys, auto handler) {
        QAction *action = pictureMenu_->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        return action;
    };
    addCommand(tr("Save record…"), QKeySequence::Save, [this] { saveRecord(); });
    addCommand(tr("Open record…"), QKeySequence::Open, [this] { openRecord(); });
    addCommand(tr("Save picture as PNG…"), QKeySequence(Qt::CTRL | Qt::Key_E),
               [this] { exportPicture(); });
    addCommand(tr("Copy picture"), QKeySequence::Copy, [this] { copyPicture(); });
    pictureMenu_->addSeparator();
    setAcceptDrops(true);

    auto *measure = pictureMenu_->addAction(tr("Measurements"));
    measure->setShortcut(Qt::Key_M);
    measure->setCheckable(true);
    connect(measure, &QAction::toggled, this, [this](bool on) {
        readoutWanted_ = on;
        refreshReadout();
    });
    addAction(measure);

    auto *spectrum = pictureMenu_->addAction(tr("Spectrum"));
    spectrum->setShortcut(Qt::Key_F);
    connect(spectrum, &QAction::triggered, this, [this] { showSpectrum(); });
    addAction(spectrum);
    createCalibrationAction();
}

void Form1::refreshReadout() {
    if (!readout_) return;
    const int rate = SampleRate.selectedIndex();
    if (!readoutWanted_ || MeresVege != -1 || rate < 0) {
        readout_->showRecord({}, 0.0);
        return;
    }
    const auto length = static_cast<std::size_t>(SampleScroll->value()) * kSamplesPerBlock;
    readout_->showRecord(std::span(SampleData).subspan(1, length),
                         kSampleRates[static_cast<std::size_t>(rate)].period,
                         calibrationOnScreen());
}

// A right click on the picture, not on a control, opens the picture's menu.
void Form1::contextMenuEvent(QContextMenuEvent *event) {
    if (childAt(event->pos()) != nullptr) return QWidget::contextMenuEvent(event);
    pictureMenu_->popup(event->globalPos());
}

}  // namespace kalvira::ui
