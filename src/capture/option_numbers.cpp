#include "option_numbers.h"

namespace kalvira::capture {

std::optional<int> wholeNumberIn(const QString &text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high) return {};
    return value;
}

}  // namespace kalvira::capture
