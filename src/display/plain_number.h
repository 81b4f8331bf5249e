#pragma once

#include <string>

namespace kalvira::display {

// The printed form of a number, as the picture's labels show it: a leading space in place of a
// plus sign (or "-" for a negative value), the value rounded to at most seven significant digits
// and written out in full without an exponent (15000000 stays "15000000"), no trailing zeros, a
// decimal comma, and a trailing space. 12.5f gives " 12,5 ", 0.0f gives " 0 ".
std::string formatPlainNumber(float value);

}  // namespace kalvira::display
