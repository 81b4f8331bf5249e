#pragma once

class QScrollBar;

namespace kalvira::ui {

// How a scroll bar answers the mouse wheel. A wheel turned by chance must not change a setting
// or wipe the record on screen, so bars that hold settings ignore it; a bar that only moves the
// view steps by one small change per notch, raising the change as an arrow click does.
enum class WheelResponse { Ignore, SingleStep };

// Installs the response on the bar; the bar owns what it installs.
void setWheelResponse(QScrollBar *bar, WheelResponse response);

}  // namespace kalvira::ui
