#include "number_text.h"

#include <charconv>
#include <cmath>

namespace kalvira::analysis {

void appendNumber(std::string &text, std::optional<double> value, bool sixDigits) {
    if (!value || !std::isfinite(*value)) {
        text += "null";
        return;
    }
    char buffer[64];
    const auto result = sixDigits ? std::to_chars(buffer, buffer + sizeof buffer, *value,
                                                  std::chars_format::general, 6)
                                  : std::to_chars(buffer, buffer + sizeof buffer, *value);
    text.append(buffer, result.ptr);
}

void appendLevel(std::string &text, double db) {
    char level[32];
    const auto end = std::to_chars(level, level + sizeof level, db, std::chars_format::fixed, 3);
    text.append(level, end.ptr);
}

}  // namespace kalvira::analysis
