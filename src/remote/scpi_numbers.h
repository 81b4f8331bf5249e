#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvira::remote {

// What a numeric parameter is measured in, and so which suffixes it may carry.
enum class NumberUnit {
    None,        // a plain number
    Seconds,     // S, MS, US, NS
    SampleRate,  // HZ, KHZ, MHZ, SA/S, KSA/S, SPS, KSPS
    Volts,       // V, MV, UV
};

// A decimal number with an optional sign, fraction and exponent, then optionally (after blanks)
// one of the unit's suffixes, case-insensitive: "1E3", "+2.5", "40 kSa/s", "5ms". nullopt for
// anything else, and for a number that is not finite.
std::optional<double> parseNumber(std::string_view text, NumberUnit unit = NumberUnit::None);

// A whole number as parseNumber reads it ("1.6E4" is 16000); nullopt when it has a fraction or
// lies beyond what an int holds.
std::optional<long long> parseWholeNumber(std::string_view text,
                                          NumberUnit unit = NumberUnit::None);

// The shortest text that reads back as the same number: "0.005", "40000", "1e-05".
std::string numberText(double value);

// The SCPI "not a number": what a figure that is not defined reads as.
inline constexpr const char *kNotANumber = "9.91E37";

}  // namespace kalvira::remote
