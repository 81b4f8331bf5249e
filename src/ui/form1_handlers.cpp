// The window's event handlers.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>

#include "acquisition/qt_serial_port.h"
#include "common/link_facts.h"
#include "form1.h"
#include "scope/scope.h"

namespace kalvira::ui {

void Form1::writeRecordLengthText() {
    const auto blocks = static_cast<std::int16_t>(SampleScroll->value());
    const auto samples = static_cast<std::int16_t>(blocks * kSamplesPerBlock);
    SamplesText->setText(QString::number(samples));
}

void Form1::Form_Load() {
    Koord_rendszer_rajzolasa();
    writeRecordLengthText();
}

void Form1::Form_Resize() {
    Koord_rendszer_rajzolasa();
}

void Form1::Hscroll_Change() {
    Koord_rendszer_rajzolasa();
}

void Form1::Kilepes_Click() {
    if (MSComm1->PortOpen()) MSComm1->PortOpen(false);
    close();
    QCoreApplication::exit(0);
}

void Form1::LineStyleOption_Click(int) {
    Koord_rendszer_rajzolasa();
}

void Form1::SampleRate_Click(int) {
    scope_->clearRecord();
    Koord_rendszer_rajzolasa();
}

void Form1::SampleScroll_Change() {
    writeRecordLengthText();
    scope_->clearRecord();
    Koord_rendszer_rajzolasa();
}

void Form1::start_Click() {
    scope_->start();
}

void Form1::stp_Click() {
    scope_->stop();
}

void Form1::TimeOption_Click(int) {
    Koord_rendszer_rajzolasa();
}

// TizedSec down by one while above 0; the run, which alone switches Timer1 on, keeps the count.
void Form1::Timer1_Timer() {
    scope_->tick();
}

void Form1::TrigLevelScroll_Change() {
    if (TrigVisible->isChecked()) Koord_rendszer_rajzolasa();
}

void Form1::TrigVisible_Click() {
    Koord_rendszer_rajzolasa();
}

void Form1::VoltsPerDiv2_Click() {
    Koord_rendszer_rajzolasa();
}

}  // namespace kalvira::ui
