#include "scpi_numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace kalvira::remote {

namespace {

using Suffix = std::pair<std::string_view, double>;

constexpr std::array<Suffix, 4> kSeconds{{{"S", 1}, {"MS", 1e-3}, {"US", 1e-6}, {"NS", 1e-9}}};
constexpr std::array<Suffix, 7> kRates{{{"HZ", 1},
                                        {"KHZ", 1e3},
                                        {"MHZ", 1e6},
                                        {"SA/S", 1},
                                        {"KSA/S", 1e3},
                                        {"SPS", 1},
                                        {"KSPS", 1e3}}};
constexpr std::array<Suffix, 3> kVolts{{{"V", 1}, {"MV", 1e-3}, {"UV", 1e-6}}};

std::optional<double> scaleOf(std::string_view suffix, NumberUnit unit) {
    std::string upper(suffix);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto find = [&upper](const auto &table) -> std::optional<double> {
        for (const auto &[name, scale] : table)
            if (name == upper) return scale;
        return {};
    };
    switch (unit) {
        case NumberUnit::None:
            return {};
        case NumberUnit::Seconds:
            return find(kSeconds);
        case NumberUnit::SampleRate:
            return find(kRates);
        case NumberUnit::Volts:
            return find(kVolts);
    }
    return {};
}

}  // namespace

std::optional<double> parseNumber(std::string_view text, NumberUnit unit) {
    if (text.starts_with('+')) text.remove_prefix(1);
    if (text.starts_with('-') && text.size() > 1 && text[1] == '+') return {};
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value)) return {};
    std::string_view suffix(end, static_cast<std::size_t>(text.data() + text.size() - end));
    while (!suffix.empty() && (suffix.front() == ' ' || suffix.front() == '\t'))
        suffix.remove_prefix(1);
    if (suffix.empty()) return value;
    const auto scale = scaleOf(suffix, unit);
    if (!scale) return {};
    return value * *scale;
}

std::optional<long long> parseWholeNumber(std::string_view text, NumberUnit unit) {
    const auto value = parseNumber(text, unit);
    if (!value || std::abs(*value) > 2e9) return {};
    const double rounded = std::round(*value);
    if (std::abs(*value - rounded) > 1e-9 * std::max(1.0, std::abs(rounded))) return {};
    return static_cast<long long>(rounded);
}

std::string numberText(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

}  // namespace kalvira::remote
