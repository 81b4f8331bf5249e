#include "form1_run_host.h"

#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "form1.h"

namespace kalvira::ui {

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

void Form1RunHost::setSettingsLocked(bool locked) {
    form_.setSettingsLocked(locked);
}

void Form1RunHost::commitSampleData(std::span<const std::int16_t> record) {
    const std::size_t length = std::min(record.size(), form_.SampleData.size() - 1);
    std::copy_n(record.begin(), length, form_.SampleData.begin() + 1);
    form_.recordTaken_ = QDateTime::currentDateTimeUtc();
    ++form_.recordNumber_;
    form_.keepInHistory();
}

void Form1RunHost::showMessage(const std::string &text, std::function<void()> closed) {
    QMessageBox *box = form_.showNotice(QString::fromStdString(text));
    QObject::connect(box, &QMessageBox::finished, &messageContext_,
                     [closed = std::move(closed)] { closed(); });
}

}  // namespace kalvira::ui
