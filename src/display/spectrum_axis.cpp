#include "spectrum_axis.h"

#include <cmath>
#include <cstdio>

namespace kalvira::display {

double gridStep(double span, int maxDivisions) {
    const double least = span / maxDivisions;
    double decade = std::pow(10.0, std::floor(std::log10(least)));
    for (;; decade *= 10) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            // A hair of tolerance, so that 20000 / 10 keeps the step 2000 despite rounding.
            if (mantissa * decade >= least * (1 - 1e-9)) return mantissa * decade;
        }
    }
}

std::string frequencyLabel(double hz) {
    const bool kilo = std::fabs(hz) >= 999.9995;
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", kilo ? hz / 1000 : hz);
    std::string label = text;
    label.erase(label.find_last_not_of('0') + 1);
    if (label.back() == '.') label.pop_back();
    if (label == "-0") label = "0";
    return label + (kilo ? " kHz" : " Hz");
}

}  // namespace kalvira::display
