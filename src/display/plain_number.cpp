#include "plain_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kalvira::display {

namespace {

constexpr int kSignificantDigits = 7;

}  // namespace

std::string formatPlainNumber(float value) {
    if (!std::isfinite(value)) return std::isnan(value) ? " nan " : (value < 0 ? "-inf " : " inf ");

    // "%.6e" rounds to exactly seven significant digits and tells the decimal exponent; the
    // digits are then laid out in positional form.
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.*e", kSignificantDigits - 1,
                  static_cast<double>(std::fabs(value)));
    std::string digits;
    const char *c = scientific;
    for (; *c != 'e'; ++c) {
        if (*c != '.') digits += *c;
    }
    const int exponent = std::atoi(c + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string text = std::signbit(value) && value != 0.0f ? "-" : " ";
    if (digits == "0") return text + "0 ";
    const int integerDigits = exponent + 1;  // digits before the decimal comma
    if (integerDigits <= 0) {
        text += "0,";
        text.append(static_cast<std::size_t>(-integerDigits), '0');
        text += digits;
    } else if (static_cast<std::size_t>(integerDigits) >= digits.size()) {
        text += digits;
        text.append(static_cast<std::size_t>(integerDigits) - digits.size(), '0');
    } else {
        text += digits.substr(0, static_cast<std::size_t>(integerDigits));
        text += ',';
        text += digits.substr(static_cast<std::size_t>(integerDigits));
    }
    return text + " ";
}

}  // namespace kalvira::display
