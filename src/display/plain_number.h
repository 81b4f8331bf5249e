#pragma once

#include <string>

namespace kalvira::display {

// The printed form of a number: a leading space in place of a plus sign (or "-"), the value with
// at most seven significant digits, no exponent, no trailing zeros, a decimal comma, and a
// trailing space. 12.5f gives " 12,5 ".
std::string formatPlainNumber(float value);

}  // namespace kalvira::display
