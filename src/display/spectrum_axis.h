#pragma once

#include <string>

namespace kalvira::display {

// The grid step of an axis spanning span (> 0) in at most maxDivisions divisions: the smallest
// 1, 2 or 5 times a power of ten that does it.
double gridStep(double span, int maxDivisions);

// A frequency as the spectrum's axis and readouts write it: Hz below 1 kHz, kHz from there, with
// as many decimals as the value needs (at most three): "0 Hz", "500 Hz", "2.5 kHz", "20 kHz".
std::string frequencyLabel(double hz);

}  // namespace kalvira::display
