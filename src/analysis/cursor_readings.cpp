#include "cursor_readings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace kalvira::analysis {

namespace {

struct Unit {
    double scale;
    const char *name;
};

// Largest first; a zero reads in the base unit.
constexpr std::array kTimeUnits{Unit{1.0, "s"}, Unit{1e-3, "ms"}, Unit{1e-6, "µs"}};
constexpr std::array kFrequencyUnits{Unit{1e3, "kHz"}, Unit{1.0, "Hz"}};

// Rounds to four significant digits first, so that 999.96 ms reads "1.000 s", then takes the
// largest unit the rounded figure reaches (the smallest below all of them).
std::string withUnit(double value, std::span<const Unit> units, const char *baseUnit) {
    if (value == 0.0 || !std::isfinite(value)) return std::string("0 ") + baseUnit;
    const double magnitude = std::fabs(value);
    const double step = std::pow(10.0, std::floor(std::log10(magnitude)) - 3.0);
    const double rounded = std::round(magnitude / step) * step;
    const Unit *unit = &units.back();
    for (const Unit &candidate : units) {
        if (rounded >= candidate.scale * (1.0 - 1e-12)) {
            unit = &candidate;
            break;
        }
    }
    const double scaled = rounded / unit->scale;
    const int decimals = std::max(0, 3 - static_cast<int>(std::floor(std::log10(scaled) + 1e-9)));
    char buffer[48];
    const double signedScaled = value < 0.0 ? -scaled : scaled;
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, signedScaled,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return std::string(buffer, end) + " " + unit->name;
}

std::int32_t heldTo(std::int32_t value, std::int32_t low, std::int32_t high) {
    return std::clamp(value, low, std::max(low, high));
}

std::int32_t &cursorIn(CursorPositions &positions, CursorId id) {
    switch (id) {
        case CursorId::T1:
            return positions.t1;
        case CursorId::T2:
            return positions.t2;
        case CursorId::V1:
            return positions.v1;
        case CursorId::V2:
            break;
    }
    return positions.v2;
}

bool isTimeCursor(CursorId id) {
    return id == CursorId::T1 || id == CursorId::T2;
}

std::optional<std::int16_t> sampleUnder(std::span<const std::int16_t> record, std::int32_t k) {
    if (k < 1 || static_cast<std::size_t>(k) > record.size()) return std::nullopt;
    return record[static_cast<std::size_t>(k - 1)];
}

}  // namespace

CursorPositions initialCursors(std::span<const std::int16_t> record, std::int32_t first,
                               std::int32_t last) {
    const auto n = static_cast<std::int32_t>(record.size());
    first = heldTo(first, 1, n);
    last = heldTo(last, first, n);
    const double span = last - first;
    CursorPositions positions;
    positions.t1 = first + static_cast<std::int32_t>(std::lround(span / 4.0));
    positions.t2 = first + static_cast<std::int32_t>(std::lround(3.0 * span / 4.0));
    if (n == 0) return positions;
    const auto visible = record.subspan(static_cast<std::size_t>(first - 1),
                                        static_cast<std::size_t>(last - first + 1));
    const auto [low, high] = std::minmax_element(visible.begin(), visible.end());
    positions.v1 = heldTo(*low, 0, kHighestLevel);
    positions.v2 = heldTo(*high, 0, kHighestLevel);
    return positions;
}

CursorPositions placedCursor(CursorPositions positions, CursorId id, std::int32_t at,
                             std::int32_t n) {
    cursorIn(positions, id) = isTimeCursor(id) ? heldTo(at, 1, n) : heldTo(at, 0, kHighestLevel);
    return positions;
}

CursorPositions movedCursor(CursorPositions positions, CursorId id, std::int32_t delta,
                            std::int32_t n) {
    return placedCursor(positions, id, cursorIn(positions, id) + delta, n);
}

CursorReadings readCursors(const CursorPositions &positions, std::span<const std::int16_t> record,
                           double samplePeriodS) {
    CursorReadings readings;
    readings.t1 = positions.t1;
    readings.t2 = positions.t2;
    readings.time1S = (positions.t1 - 1) * samplePeriodS;
    readings.time2S = (positions.t2 - 1) * samplePeriodS;
    readings.deltaTS = (positions.t2 - positions.t1) * samplePeriodS;
    if (readings.deltaTS != 0.0) readings.inverseDeltaHz = 1.0 / std::fabs(readings.deltaTS);
    readings.value1 = sampleUnder(record, positions.t1);
    readings.value2 = sampleUnder(record, positions.t2);
    readings.v1 = positions.v1;
    readings.v2 = positions.v2;
    readings.deltaV = positions.v2 - positions.v1;
    return readings;
}

std::string countsText(double counts, bool) {
    return std::to_string(static_cast<long long>(std::llround(counts)));
}

std::vector<std::string> cursorReadoutLines(const CursorReadings &readings,
                                            const LevelText &level) {
    const auto timeLine = [&](const char *name, std::int32_t k, double time,
                              std::optional<std::int16_t> value) {
        return std::string(name) + " = " + secondsText(time) + "  #" + std::to_string(k) + "  " +
               (value ? level(*value, false) : std::string("–"));
    };
    return {
        timeLine("T1", readings.t1, readings.time1S, readings.value1),
        timeLine("T2", readings.t2, readings.time2S, readings.value2),
        "Δt = " + secondsText(readings.deltaTS),
        "1/Δt = " + (readings.inverseDeltaHz ? hertzText(*readings.inverseDeltaHz) : "–"),
        "V1 = " + level(readings.v1, false),
        "V2 = " + level(readings.v2, false),
        "ΔV = " + level(readings.deltaV, true),
    };
}

std::string secondsText(double seconds) {
    return withUnit(seconds, kTimeUnits, "s");
}

std::string hertzText(double hertz) {
    return withUnit(hertz, kFrequencyUnits, "Hz");
}

}  // namespace kalvira::analysis
