#include "option_group.h"

#include "option_button.h"

namespace kalvira::ui {

void OptionGroup::add(int index, OptionButton *button) {
    if (buttons_.size() <= static_cast<size_t>(index))
        buttons_.resize(static_cast<size_t>(index) + 1);
    buttons_[static_cast<size_t>(index)] = button;
}

int OptionGroup::selectedIndex() const {
    for (int i = 0; i < size(); ++i) {
        if (buttons_[static_cast<size_t>(i)]->isChecked()) return i;
    }
    return -1;
}

void OptionGroup::setEnabled(bool enabled) const {
    for (OptionButton *button : buttons_) button->setEnabled(enabled);
}

void OptionGroup::onChosen(QObject *context, std::function<void(int)> handler) const {
    for (int i = 0; i < size(); ++i) {
        QObject::connect(buttons_[static_cast<size_t>(i)], &OptionButton::toggled, context,
                         [i, handler](bool checked) {
                             if (checked) handler(i);
                         });
    }
}

}  // namespace kalvira::ui
