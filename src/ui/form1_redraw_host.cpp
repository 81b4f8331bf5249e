#include "form1_redraw_host.h"

#include <QScrollBar>

#include "scope/scope.h"

namespace kalvira::ui {

const settings::ScopeSettings &Form1RedrawHost::settings() const {
    return scope_.settings();
}

bool Form1RedrawHost::recordShown() const {
    return scope_.recordShown();
}

const SampleRecord &Form1RedrawHost::samples() const {
    return scope_.samples();
}

void Form1RedrawHost::setRecordBlocks(std::int16_t hundreds) {
    sampleScroll_.setValue(hundreds);
}

void Form1RedrawHost::setScrollEnabled(bool enabled) {
    hscroll_.setEnabled(enabled);
}

void Form1RedrawHost::setScrollPosition(std::int16_t divisions) {
    hscroll_.setValue(divisions);
}

void Form1RedrawHost::setScrollMaximum(std::int16_t divisions) {
    hscroll_.setMaximum(divisions);
}

void Form1RedrawHost::setScrollSmallChange(std::int16_t divisions) {
    hscroll_.setSingleStep(divisions);
}

void Form1RedrawHost::setScrollLargeChange(std::int16_t divisions) {
    hscroll_.setPageStep(divisions);
}

}  // namespace kalvira::ui
