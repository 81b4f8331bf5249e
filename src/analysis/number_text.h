#pragma once

#include <optional>
#include <string>

namespace kalvira::analysis {

// A number as to_chars writes it, the shortest that reads back exactly or, for JSON beside the
// measurements, six significant digits as printf's %.6g; never in the locale's manner. null
// where there is none, or it is not finite.
void appendNumber(std::string &text, std::optional<double> value, bool sixDigits = false);

// A level in dB with three decimals, as the spectrum's CSV writes them: "-6.021".
void appendLevel(std::string &text, double db);

}  // namespace kalvira::analysis
