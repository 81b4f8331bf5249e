#include "form1_redraw_host.h"

#include <QCheckBox>
#include <QScrollBar>

#include "form1.h"

namespace kalvira::ui {

void Form1RedrawHost::setKoordinataKorrekcio(std::int16_t value) {
    form_.KoordinataKorrekcio = value;
}

void Form1RedrawHost::setTriglevel(std::int16_t value) {
    form_.triglevel = value;
}

std::int16_t Form1RedrawHost::meresVege() const {
    return form_.MeresVege;
}

const display::SampleRecord &Form1RedrawHost::sampleData() const {
    return form_.SampleData;
}

int Form1RedrawHost::selectedTimeOption() const {
    return form_.TimeOption.selectedIndex();
}

int Form1RedrawHost::selectedSampleRate() const {
    return form_.SampleRate.selectedIndex();
}

int Form1RedrawHost::selectedLineStyle() const {
    return form_.LineStyleOption.selectedIndex();
}

bool Form1RedrawHost::trigVisible() const {
    return form_.TrigVisible->isChecked();
}

bool Form1RedrawHost::voltsPerDiv2() const {
    return form_.VoltsPerDiv2->isChecked();
}

std::int16_t Form1RedrawHost::trigLevelValue() const {
    return static_cast<std::int16_t>(form_.TrigLevelScroll->value());
}

std::int16_t Form1RedrawHost::sampleScrollValue() const {
    return static_cast<std::int16_t>(form_.SampleScroll->value());
}

void Form1RedrawHost::setSampleScrollValue(std::int16_t value) {
    form_.SampleScroll->setValue(value);
}

std::int16_t Form1RedrawHost::hscrollValue() const {
    return static_cast<std::int16_t>(form_.Hscroll->value());
}

void Form1RedrawHost::setHscrollEnabled(bool enabled) {
    form_.Hscroll->setEnabled(enabled);
}

void Form1RedrawHost::setHscrollValue(std::int16_t value) {
    form_.Hscroll->setValue(value);
}

void Form1RedrawHost::setHscrollMaximum(std::int16_t value) {
    form_.Hscroll->setMaximum(value);
}

void Form1RedrawHost::setHscrollSmallChange(std::int16_t value) {
    form_.Hscroll->setSingleStep(value);
}

void Form1RedrawHost::setHscrollLargeChange(std::int16_t value) {
    form_.Hscroll->setPageStep(value);
}

void Form1RedrawHost::layoutControls() {
    form_.layoutControls();
}

}  // namespace kalvira::ui
