#include "plain_number.h"

#include <cstdio>

namespace kalvira::display {

std::string formatPlainNumber(float value) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.7g", static_cast<double>(value));
    std::string text = value < 0 ? "" : " ";
    for (const char *c = digits; *c; ++c) text += (*c == '.') ? ',' : *c;
    return text + " ";
}

}  // namespace kalvira::display
