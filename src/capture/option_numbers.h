#pragma once

#include <QString>
#include <optional>

namespace kalvira::capture {

// The whole number an option's value reads as (QString::toInt), when it is in low..high.
std::optional<int> wholeNumberIn(const QString &text, int low, int high);

}  // namespace kalvira::capture
