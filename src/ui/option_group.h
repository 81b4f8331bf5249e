#pragma once

#include <QObject>
#include <functional>
#include <vector>

namespace kalvira::ui {

class OptionButton;

// An indexed group of option buttons sharing one frame; index 0 is the topmost (leftmost) member.
// Exactly one member is selected once the user or the code has chosen one.
class OptionGroup {
public:
    OptionGroup() = default;

    // Adds the member with the given index; members may be added in any order.
    void add(int index, OptionButton *button);
    OptionButton *operator[](int index) const { return buttons_.at(static_cast<size_t>(index)); }
    int size() const { return static_cast<int>(buttons_.size()); }

    // Index of the selected member, or -1 when none is selected.
    int selectedIndex() const;
    void setEnabled(bool enabled) const;

    // Calls handler(index) whenever a member becomes selected, by mouse, keyboard or code.
    void onChosen(QObject *context, std::function<void(int)> handler) const;

private:
    std::vector<OptionButton *> buttons_;
};

}  // namespace kalvira::ui
