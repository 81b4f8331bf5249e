// The controls and the scope's settings: every control that holds a setting reports to the scope
// as it changes, before its handler runs, so the redraw and the run read what the controls show;
// settings asked of the scope move the controls as a user would, handlers and all.
#include <QCheckBox>
#include <QScrollBar>

#include "common/link_facts.h"
#include "form1.h"
#include "option_button.h"
#include "scope/scope.h"

namespace kalvira::ui {

namespace {

void select(const OptionGroup &group, int index) {
    if (index >= 0 && index < group.size() && group.selectedIndex() != index)
        group[index]->setChecked(true);
}

}  // namespace

settings::ScopeSettings Form1::settingsOnControls() const {
    settings::ScopeSettings shown = scope_->settings();
    shown.rateCode = SampleRate.selectedIndex();
    shown.recordLength = SampleScroll->value() * kSamplesPerBlock;
    shown.triggerMode = trigger.selectedIndex();
    shown.triggerLevel = TrigLevelScroll->value();
    shown.fallingEdge = TrigEdge.selectedIndex() == 0;
    shown.timeBase = TimeOption.selectedIndex();
    shown.halfHeight = VoltsPerDiv2->isChecked();
    shown.dots = LineStyleOption.selectedIndex() == 1;
    shown.triggerMarker = TrigVisible->isChecked();
    shown.scrollDivisions = Hscroll->value();
    return shown;
}

void Form1::noteControls() {
    scope_->noteSettings(settingsOnControls());
    scope_->setPort(Com1.selectedIndex() == 1 ? 1 : 0);
}

// Settings first: a change of rate or length clears the record, as it does by hand. The scroll
// position is the caller's to set, once the picture has the record it scrolls.
void Form1::moveControls(const settings::ScopeSettings &wanted) {
    select(SampleRate, wanted.rateCode);
    SampleScroll->setValue(wanted.recordLength / kSamplesPerBlock);
    select(trigger, wanted.triggerMode);
    TrigLevelScroll->setValue(wanted.triggerLevel);
    select(TrigEdge, wanted.fallingEdge ? 0 : 1);
    select(TimeOption, wanted.timeBase);
    VoltsPerDiv2->setChecked(wanted.halfHeight);
    select(LineStyleOption, wanted.dots ? 1 : 0);
    TrigVisible->setChecked(wanted.triggerMarker);
}

}  // namespace kalvira::ui
