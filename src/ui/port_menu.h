#pragma once

class QPoint;
class QWidget;

namespace kalvira::ui {

class OptionGroup;

// The "Comm port" frame's context menu: the serial devices present now, each marked with the
// COM option that opens it; choosing one makes the selected COM option (com1 index 0: COM1,
// 1: COM2) open that device from now on, remembered across runs of the program. An entry forgets
// the choice again. While the COM options are locked (a run) the menu only shows.
void showPortMenu(const OptionGroup &com1, QWidget *parent, const QPoint &globalPos);

// Shows on each COM option, as its tooltip, the device it opens and why.
void showPortToolTips(const OptionGroup &com1);

}  // namespace kalvira::ui
